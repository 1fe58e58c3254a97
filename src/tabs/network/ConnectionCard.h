#pragma once

#include "model/NetworkSnapshot.h"

#include "components/Card.h"

class QToolButton;

namespace Dunmorra {

class SymbolView;
class TextLabel;

// "Current Connection": the link's symbol, its label with the Wi-Fi name,
// the address, the way to grant location access, and "Reload". The card only
// asks: the tab performs the reload and opens the settings.
class ConnectionCard : public Card {
    Q_OBJECT
public:
    explicit ConnectionCard(QWidget* parent = nullptr);

    void setSnapshot(const NetworkSnapshot& snapshot);

    // "wifi" with a Wi-Fi name or the label "Wi-Fi", else "cable.connector"
    // for "Ethernet", else "wifi.slash"; the labels compare exactly.
    static QString connectionSymbol(const NetworkSnapshot& snapshot);

    QToolButton* reloadButton() const { return m_reload; }
    QToolButton* locationButton() const { return m_location; }

Q_SIGNALS:
    void reloadRequested();
    void locationSettingsRequested();

private:
    SymbolView* m_symbol = nullptr;
    TextLabel* m_label = nullptr;
    TextLabel* m_dot = nullptr;
    TextLabel* m_ssid = nullptr;
    QWidget* m_addressLine = nullptr;
    TextLabel* m_address = nullptr;
    QToolButton* m_location = nullptr;
    QToolButton* m_reload = nullptr;
};

} // namespace Dunmorra

#pragma once

#include "model/NetworkSnapshot.h"

#include <QWidget>

#include <memory>

class QVBoxLayout;

namespace Dunmorra {

class InterfaceRow;
class TextLabel;
template <typename Key, typename Row> class KeyedRows;

// "Interfaces": every interface that has carried traffic, with its kind,
// address and byte totals, in the provider's order.
class InterfacesSection : public QWidget {
    Q_OBJECT
public:
    explicit InterfacesSection(QWidget* parent = nullptr);
    ~InterfacesSection() override;

    void setInterfaces(const QList<InterfaceInfo>& interfaces);

    // "wifi" for the kind "Wi-Fi", "cable.connector" for "Ethernet",
    // "lock.shield" for any other (the tunnels).
    static QString kindSymbol(const QString& kind);

private:
    TextLabel* m_empty = nullptr;
    QVBoxLayout* m_rowsLayout = nullptr;
    std::unique_ptr<KeyedRows<QString, InterfaceRow>> m_rows;
};

} // namespace Dunmorra

#pragma once

#include <QString>
#include <QWidget>

class QVBoxLayout;

namespace Dunmorra {

class Card;
class TextLabel;

// One titled card of the Settings tab: a 13-point semibold title over a card
// whose rows stack with spacing 10 across the full width.
class SettingsSection : public QWidget {
    Q_OBJECT
public:
    explicit SettingsSection(const QString& title, QWidget* parent = nullptr);

    TextLabel* titleLabel() const { return m_title; }
    Card* card() const { return m_card; }
    QWidget* body() const { return m_body; }
    QVBoxLayout* rows() const { return m_rows; }

    // Adds a row (reparented into the card) and returns it.
    QWidget* addRow(QWidget* row);

private:
    TextLabel* m_title;
    Card* m_card;
    QWidget* m_body;
    QVBoxLayout* m_rows;
};

} // namespace Dunmorra

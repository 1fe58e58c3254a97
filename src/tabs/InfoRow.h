#pragma once

#include <QWidget>

namespace Dunmorra {

class TextLabel;

// A label at the leading edge (11, secondary) and its figure at the trailing
// edge (14 medium): the stat and information rows of the cards. A row is a
// widget of its own, so a card can show or hide it with its reading.
class InfoRow : public QWidget {
    Q_OBJECT
public:
    // valueName: the value label's object name, for tests and accessibility tools.
    InfoRow(const QString& label, const QString& valueName, QWidget* parent = nullptr);

    TextLabel* label() const { return m_label; }
    TextLabel* value() const { return m_value; }
    void setLabel(const QString& text);
    void setValue(const QString& text);

private:
    TextLabel* m_label;
    TextLabel* m_value;
};

} // namespace Dunmorra

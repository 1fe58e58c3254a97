#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QStringList>

#include <optional>

namespace Dunmorra {

// Sizes are in logical pixels, the unit the layouts use, so a 13-unit title
// keeps its proportion to 20-unit spacing on every screen density.
QFont uiFont(qreal size, QFont::Weight weight = QFont::Normal);

// Figures (big numbers, row values). The bundled UI fonts draw tabular digits
// by default, so changing numbers do not jitter.
QFont figureFont(qreal size, QFont::Weight weight);

namespace Fonts {
inline QFont sectionTitle() { return uiFont(13, QFont::DemiBold); }
inline QFont bigFigure() { return figureFont(28, QFont::DemiBold); }
inline QFont value() { return figureFont(14, QFont::Medium); }
inline QFont caption() { return uiFont(11); }
} // namespace Fonts

enum class Tone { Primary, Secondary, Tertiary };

// A label that always shows its text as plain text (names from the system
// are data, never markup), in one of the palette's tones or a fixed colour,
// following palette changes.
class TextLabel : public QLabel {
    Q_OBJECT
public:
    explicit TextLabel(const QString& text, const QFont& font, Tone tone = Tone::Primary, QWidget* parent = nullptr);

    void setTone(Tone tone);
    void setColor(const QColor& color);
    Tone tone() const { return m_tone; }
    // Sets the text only when it differs, so an unchanged refresh costs nothing.
    void setTextIfChanged(const QString& text);
    // Holds the label at the size it needs for the largest of `texts` (one
    // line each), again after a change of font. A figure that changes every
    // second then asks its page for no new layout: a label that may grow
    // would re-lay out the whole page at each new text. A label already
    // held to one width keeps it.
    void holdSizeFor(const QStringList& texts);

protected:
    void changeEvent(QEvent* event) override;

private:
    void applyColor();

    Tone m_tone;
    std::optional<QColor> m_color;
    QStringList m_heldFor;
    std::optional<int> m_heldWidth;
};

} // namespace Dunmorra

#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace Dunmorra {

// Symbols are named as the views name them ("cpu", "lock.shield.fill", ...).
// Each maps to an icon of the desktop's theme (Adwaita as the fallback theme)
// or to one of the project's own SVGs.
QIcon symbolIcon(const QString& symbol);
// Where the symbol comes from: "theme:<icon name>" or "qrc:<path>"; empty when unknown.
QString symbolSource(const QString& symbol);

// Every symbol name the table knows.
QStringList knownSymbols();

// The symbol as a single-colour glyph (the icon's shape filled with color).
QPixmap symbolPixmap(const QString& symbol, int size, const QColor& color, qreal devicePixelRatio = 1.0);

// A painted symbol. The "symbol" property carries the symbol's name, so
// tests can check which symbol a rule chose without looking at pixels.
class SymbolView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString symbol READ symbol WRITE setSymbol)
public:
    // size: glyph size in logical pixels; frameWidth 0 = as wide as the glyph.
    SymbolView(const QString& symbol, int size, const QColor& color, QWidget* parent = nullptr, int frameWidth = 0);

    QString symbol() const { return m_symbol; }
    void setSymbol(const QString& symbol);
    QColor color() const { return m_color; }
    void setColor(const QColor& color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_symbol;
    int m_size;
    QColor m_color;
    int m_frameWidth;
};

// A symbol followed by a text, as section and card titles use it.
class TextLabel;
class IconLabel : public QWidget {
    Q_OBJECT
public:
    IconLabel(const QString& symbol, const QString& text, const QFont& font, const QColor& color, QWidget* parent = nullptr);

    TextLabel* label() const { return m_label; }
    SymbolView* symbolView() const { return m_symbol; }

private:
    SymbolView* m_symbol;
    TextLabel* m_label;
};

} // namespace Dunmorra

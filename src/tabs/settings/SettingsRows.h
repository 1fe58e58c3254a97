#pragma once

#include "components/Typography.h"

#include <QColor>
#include <QString>
#include <QWidget>

class QCheckBox;
class QVBoxLayout;

namespace Dunmorra {

// The Settings tab's row pieces. Every row starts with a 24-point column
// (a tile, or a spacer in caption lines), so texts line up 34 points in.
inline constexpr int kSettingsTileSize = 24;
inline constexpr int kSettingsRowSpacing = 10;

// A white symbol on a rounded square of the given colour.
class IconTile : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString symbol READ symbol)
public:
    IconTile(const QString& symbol, const QColor& color, QWidget* parent = nullptr);

    QString symbol() const { return m_symbol; }
    QColor color() const { return m_color; }
    void setSymbol(const QString& symbol);
    void setColor(const QColor& color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_symbol;
    QColor m_color;
};

// Checkbox (the leading element), tile, title, then free space.
class ToggleRow : public QWidget {
    Q_OBJECT
public:
    ToggleRow(const QString& symbol, const QColor& color, const QString& title, QWidget* parent = nullptr);

    QCheckBox* checkBox() const { return m_checkBox; }
    IconTile* tile() const { return m_tile; }
    TextLabel* titleLabel() const { return m_title; }

private:
    QCheckBox* m_checkBox;
    IconTile* m_tile;
    TextLabel* m_title;
};

// Tile, title, free space and a trailing control.
class IconRow : public QWidget {
    Q_OBJECT
public:
    IconRow(const QString& symbol, const QColor& color, const QString& title, QWidget* trailing, QWidget* parent = nullptr);

    IconTile* tile() const { return m_tile; }
    TextLabel* titleLabel() const { return m_title; }

private:
    IconTile* m_tile;
    TextLabel* m_title;
};

// A faint line that starts where the text of an icon row starts.
QWidget* makeRowDivider(QWidget* parent = nullptr);

// An 11-point text behind a tile-wide spacer. The text is shown as given:
// callers pass texts already translated, or data such as error messages.
class CaptionLine : public QWidget {
    Q_OBJECT
public:
    CaptionLine(const QString& text, Tone tone, QWidget* parent = nullptr);

    TextLabel* label() const { return m_label; }
    void setText(const QString& text);

private:
    TextLabel* m_label;
};

} // namespace Dunmorra

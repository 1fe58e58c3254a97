#pragma once

#include "app/TrayIconPainter.h"

#include <QIconEngine>

#include <optional>

namespace Dunmorra {

// The tray icon as an icon engine: it draws at whatever size the tray paints
// it, rather than scaling the nearest of a few fixed pixmaps (a 22-px tray
// given a 24-px picture blurs the digits).
class TrayIconEngine : public QIconEngine {
public:
    TrayIconEngine(std::optional<QString> digits, TrayInk ink);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;

    // The sizes offered to trays that pick from a list.
    static QList<int> standardSizes();

private:
    std::optional<QString> m_digits;
    TrayInk m_ink;
};

} // namespace Dunmorra

#pragma once

#include "support/EventLoop.h"

#include <QCoreApplication>
#include <QEvent>
#include <QList>
#include <QObject>
#include <QRect>
#include <QWidget>

#include <functional>

namespace Dunmorra::Test {

// Lets a window's posted work run (hand-backs of background jobs, layout
// requests and the resizes they cause) until `ready` holds and then a run of
// passes in a row moves and resizes nothing. A new text climbs to the page
// one layout level per pass before anything moves, hence the run. For
// checks of geometry after a change: on a busy machine a fixed wait may end
// before the last layout pass. The deadline only stops a broken test from
// hanging.
inline bool settleLayout(const QWidget& top, const std::function<bool()>& ready = {}, int deadlineMs = 30'000)
{
    const auto geometries = [&top] {
        QList<QRect> out{top.geometry()};
        for (const QWidget* w : top.findChildren<QWidget*>())
            out << (w->isVisible() ? w->geometry() : QRect());
        return out;
    };
    constexpr int kStillPasses = 10;
    QList<QRect> before = geometries();
    int still = 0;
    return settle(
        [&] {
            QList<QRect> now = geometries();
            still = now == before && (!ready || ready()) ? still + 1 : 0;
            before = std::move(now);
            return still >= kStillPasses;
        },
        deadlineMs);
}

// Delivers posted work until a run of passes in a row paints nothing: every
// paint a change asked for is done, also on a machine too busy for a fixed
// wait to see it.
inline bool settlePaints(int deadlineMs = 30'000)
{
    struct PaintWatch : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint || event->type() == QEvent::UpdateRequest)
                ++paints;
            return false;
        }
    } watch;
    QCoreApplication::instance()->installEventFilter(&watch);
    constexpr int kStillPasses = 10;
    int seen = 0, still = 0;
    const bool settled = settle(
        [&] {
            still = watch.paints == seen ? still + 1 : 0;
            seen = watch.paints;
            return still >= kStillPasses;
        },
        deadlineMs);
    QCoreApplication::instance()->removeEventFilter(&watch);
    return settled;
}

} // namespace Dunmorra::Test

#include "components/WheelGuard.h"

#include "components/TabPage.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace Dunmorra {

namespace {

bool isValueControl(const QWidget* w)
{
    // Scroll bars are how the page itself scrolls.
    if (qobject_cast<const QScrollBar*>(w))
        return false;
    return qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QComboBox*>(w)
        || qobject_cast<const QAbstractSpinBox*>(w);
}

TabPage* pageOf(const QWidget* w)
{
    for (QWidget* p = w->parentWidget(); p; p = p->parentWidget()) {
        if (auto* page = qobject_cast<TabPage*>(p))
            return page;
    }
    return nullptr;
}

} // namespace

void WheelGuard::install()
{
    static WheelGuard* guard = nullptr;
    if (guard || !qApp)
        return;
    guard = new WheelGuard(qApp);
    qApp->installEventFilter(guard);
}

bool WheelGuard::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::Wheel && type != QEvent::Polish)
        return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || !isValueControl(w))
        return false;
    TabPage* page = pageOf(w);
    if (!page)
        return false;
    if (type == QEvent::Polish) {
        // A wheel-focus policy would hand the control the focus with the
        // very turn of the wheel that should scroll past it.
        if (w->focusPolicy() & Qt::WheelFocus & ~Qt::StrongFocus)
            w->setFocusPolicy(Qt::StrongFocus);
        return false;
    }
    if (w->hasFocus())
        return false;
    // Handed to the page itself: Qt passes a wheel on to the parents only
    // when it came from the window system, and the page must scroll either way.
    const auto* wheel = static_cast<QWheelEvent*>(event);
    QWidget* viewport = page->viewport();
    const QPointF local = viewport->mapFromGlobal(wheel->globalPosition());
    QWheelEvent forwarded(local, wheel->globalPosition(), wheel->pixelDelta(), wheel->angleDelta(), wheel->buttons(),
                          wheel->modifiers(), wheel->phase(), wheel->inverted(), wheel->source());
    QCoreApplication::sendEvent(viewport, &forwarded);
    return true;
}

} // namespace Dunmorra

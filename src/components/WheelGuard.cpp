#include "components/WheelGuard.h"

#include "components/TabPage.h"
#include "model/Clock.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace Dunmorra {

namespace {

WheelGuard* theGuard = nullptr;

bool isValueControl(const QWidget* w)
{
    // Scroll bars are how the page itself scrolls.
    if (qobject_cast<const QScrollBar*>(w))
        return false;
    return qobject_cast<const QAbstractSlider*>(w) || qobject_cast<const QComboBox*>(w)
        || qobject_cast<const QAbstractSpinBox*>(w);
}

// The page `w` sits on, within its own window: a combo box's open list is a
// window of its own and keeps the wheel.
TabPage* pageOf(const QWidget* w)
{
    for (const QWidget* p = w; p && !p->isWindow(); p = p->parentWidget()) {
        if (auto* page = qobject_cast<TabPage*>(p->parentWidget()))
            return page;
    }
    return nullptr;
}

// The value control `w` belongs to (a spin box's editor belongs to its box).
QWidget* controlOf(QWidget* w, const TabPage* page)
{
    for (QWidget* p = w; p && p != page; p = p->parentWidget()) {
        if (isValueControl(p))
            return p;
    }
    return nullptr;
}

} // namespace

void WheelGuard::install()
{
    if (theGuard || !qApp)
        return;
    theGuard = new WheelGuard(qApp);
    theGuard->m_clock = &Clock::system();
    qApp->installEventFilter(theGuard);
}

WheelGuard* WheelGuard::instance()
{
    return theGuard;
}

void WheelGuard::setClock(const Clock& clock)
{
    m_clock = &clock;
    m_lastNotch.reset();
}

bool WheelGuard::startsTurn(const QWheelEvent& wheel, TabPage* page)
{
    const auto now = m_clock->monotonic();
    const bool rested = !m_lastNotch || now - *m_lastNotch >= kRestTime;
    // A touchpad says where its gesture ends; after the end, the next
    // movement is a new turn even within the rest time.
    m_lastNotch = wheel.phase() == Qt::ScrollEnd ? std::nullopt : std::optional(now);
    return rested || wheel.phase() == Qt::ScrollBegin || page != m_page;
}

void WheelGuard::deliver(const QWheelEvent& wheel, QWidget* target)
{
    const QPointF global = wheel.globalPosition();
    QWheelEvent copy(target->mapFromGlobal(global), global, wheel.pixelDelta(), wheel.angleDelta(), wheel.buttons(),
                     wheel.modifiers(), wheel.phase(), wheel.inverted(), wheel.source());
    m_delivering = true;
    QCoreApplication::sendEvent(target, &copy);
    m_delivering = false;
}

bool WheelGuard::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type != QEvent::Wheel && type != QEvent::Polish) || m_delivering || !watched->isWidgetType())
        return false;
    auto* w = static_cast<QWidget*>(watched);
    TabPage* page = pageOf(w);
    if (!page)
        return false;
    QWidget* control = controlOf(w, page);
    if (type == QEvent::Polish) {
        // A wheel-focus policy would hand the control the focus with the
        // very turn of the wheel that should scroll past it.
        if (control == w && (w->focusPolicy() & Qt::WheelFocus & ~Qt::StrongFocus))
            w->setFocusPolicy(Qt::StrongFocus);
        return false;
    }
    const auto* wheel = static_cast<QWheelEvent*>(event);
    if (startsTurn(*wheel, page)) {
        m_page = page;
        m_control = control && control->hasFocus() ? control : nullptr;
    }
    if (m_control && m_control->hasFocus() && m_control->isVisible()) {
        // The turn is the control's, wherever the pointer has gone since;
        // at the end of its range the page does not take over either.
        deliver(*wheel, m_control);
        return true;
    }
    if (!control)
        return false; // the page, or a view of its own, scrolls as usual
    // Handed to the page itself: Qt passes a wheel on to the parents only
    // when it came from the window system, and the page must scroll either way.
    deliver(*wheel, page->viewport());
    return true;
}

} // namespace Dunmorra

#pragma once

#include <QObject>
#include <QPointer>

#include <chrono>
#include <optional>

class QWheelEvent;
class QWidget;

namespace Dunmorra {

class Clock;
class TabPage;

// On a scrolling page, the wheel scrolls the page. A turn of the wheel is
// latched to where it began, as browsers latch a scroll gesture: a turn that
// began as a page scroll stays one until the wheel rests, whatever slider,
// combo box or spin box passes under the pointer on the way, or scrolling
// down the Settings page would edit every threshold it crosses. A control
// takes the wheel only when the turn began with the pointer on it while it
// had the focus (a click or Tab gives it), and only while it keeps it.
// One filter for the whole application, installed by the first page.
class WheelGuard : public QObject {
    Q_OBJECT
public:
    // How long the wheel must rest before the next notch begins a new turn.
    static constexpr std::chrono::milliseconds kRestTime{500};

    static void install();
    // The one guard, once a page has installed it.
    static WheelGuard* instance();

    // The clock that tells when the wheel rests; the system's by default.
    void setClock(const Clock& clock);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;

    bool startsTurn(const QWheelEvent& wheel, TabPage* page);
    // Hands a copy of the wheel to `target` alone, not to its parents.
    void deliver(const QWheelEvent& wheel, QWidget* target);

    const Clock* m_clock = nullptr;
    std::optional<std::chrono::nanoseconds> m_lastNotch;
    QPointer<TabPage> m_page;
    // The control the current turn belongs to; none while the page scrolls.
    QPointer<QWidget> m_control;
    bool m_delivering = false;
};

} // namespace Dunmorra

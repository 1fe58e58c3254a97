#include "components/Palette.h"
#include "components/SegmentedPicker.h"
#include "components/SystemColors.h"
#include "components/WheelGuard.h"
#include "history/AlertsMonitor.h"
#include "model/SettingKeys.h"
#include "model/UserSettings.h"
#include "support/EventLoop.h"
#include "support/ManualClock.h"
#include "tabs/settings/SettingsAlertsSection.h"
#include "tabs/settings/SettingsRows.h"
#include "tabs/settings/SettingsTab.h"

#include <QApplication>
#include <QCheckBox>
#include <QScrollBar>
#include <QWheelEvent>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest/qtestspontaneevent.h>

#include <chrono>
#include <cmath>
#include <iostream>

#include <gtest/gtest.h>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

using namespace Dunmorra;
using Status = AlertsMonitor::AuthorizationStatus;

namespace {

// A notification server that answers at once and keeps what it was sent.
class FakeNotifications : public Platform::NotificationService {
public:
    bool available = false;
    QStringList sent;
    int settingsOpened = 0;
    int checks = 0;

    void notify(const QString& identifier, const QString&, const QString&) override { sent << identifier; }
    void checkAvailability(std::function<void(bool)> done) override
    {
        ++checks;
        QTimer::singleShot(0, this, [this, done] { done(available); });
    }
    void openSettings() override { ++settingsOpened; }
};

struct Fixture {
    QTemporaryDir dir;
    UserSettings settings{std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.conf")), QSettings::IniFormat)};
    FakeNotifications* server = new FakeNotifications;
    AlertsMonitor monitor{std::unique_ptr<Platform::NotificationService>(server), &settings};

    std::unique_ptr<SettingsAlertsSection> open(bool canOpenSettings = true)
    {
        auto s = std::make_unique<SettingsAlertsSection>(settings, &monitor, canOpenSettings);
        s->show();
        return s;
    }
};

QStringList shownRows(const SettingsAlertsSection& s)
{
    QStringList out;
    for (int i = 0; i < s.rows()->count(); ++i) {
        QWidget* w = s.rows()->itemAt(i)->widget();
        if (w && !w->isHidden())
            out << w->objectName();
    }
    return out;
}

// The rule block's children as shown: rules with their visible parts.
QStringList shownRules(const SettingsAlertsSection& s)
{
    QStringList out;
    auto* rules = s.findChild<QWidget*>(QStringLiteral("alertRules"));
    for (QObject* child : rules->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isHidden())
            continue;
        QString entry = w->objectName();
        if (auto* test = w->findChild<QAbstractButton*>(QStringLiteral("testButton")); test && !test->isHidden())
            entry += QStringLiteral("+test");
        if (auto* option = w->findChild<QWidget*>(QStringLiteral("optionRow")); option && !option->isHidden())
            entry += QStringLiteral("+option");
        out << entry;
    }
    return out;
}

} // namespace

TEST(SettingsAlertsSection, MasterOffShowsOnlyTheSwitchAndCaption)
{
    for (Status status : {Status::notDetermined, Status::denied, Status::authorized}) {
        Fixture f;
        f.settings.setValue(SettingKeys::alertsEnabled, false);
        f.monitor.setAuthorizationStatus(status);
        auto s = f.open();
        EXPECT_EQ(shownRows(*s), (QStringList{SettingKeys::alertsEnabled, "alertsOffCaption"}));
        auto* tile = s->findChild<ToggleRow*>(SettingKeys::alertsEnabled)->tile();
        EXPECT_EQ(tile->symbol(), "bell.slash.fill");
        EXPECT_EQ(tile->color(), SystemColors::gray());
    }
}

TEST(SettingsAlertsSection, PermissionPicksTheBody)
{
    const struct {
        Status status;
        const char* body;
    } cases[] = {
        {Status::notDetermined, "requestNotice"},
        {Status::denied, "deniedNotice"},
        {Status::authorized, "alertRules"},
        {Status::provisional, "alertRules"},
        {Status::ephemeral, "requestNotice"},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.monitor.setAuthorizationStatus(c.status);
        auto s = f.open();
        EXPECT_EQ(shownRows(*s), (QStringList{SettingKeys::alertsEnabled, "rowDivider", c.body})) << c.body;
        if (c.status == Status::denied) {
            // Denied: no notification server answers, which is what it says.
            auto* text = s->findChild<QWidget*>(QStringLiteral("deniedNotice"))->findChild<QLabel*>();
            ASSERT_TRUE(text);
            EXPECT_TRUE(text->text().startsWith(QStringLiteral("No notification service is running"))) << text->text().toStdString();
        }
        auto* tile = s->findChild<ToggleRow*>(SettingKeys::alertsEnabled)->tile();
        EXPECT_EQ(tile->symbol(), "bell.fill");
        EXPECT_EQ(tile->color(), accentColor());
    }
}

TEST(SettingsAlertsSection, AllowingNotificationsSwitchesToTheRules)
{
    Fixture f;
    auto s = f.open();
    f.server->available = true;
    s->findChild<QWidget*>("requestNotice")->findChild<QPushButton*>("noticeButton")->click();
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return f.monitor.authorizationStatus() == Status::authorized; }));
    EXPECT_EQ(shownRows(*s).last(), "alertRules");

    f.server->available = false; // the server went away; the next check says so
    s->refreshNotificationStatus();
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return f.monitor.authorizationStatus() == Status::denied; }));
    EXPECT_EQ(shownRows(*s).last(), "deniedNotice");
}

TEST(SettingsAlertsSection, ShowingTheTabReadsThePermissionAgain)
{
    Fixture f;
    f.server->available = true;
    SettingsTabServices services;
    services.settings = &f.settings;
    services.alerts = &f.monitor;
    services.loginItem = Platform::LoginItem(f.dir.filePath("autostart").toStdString(), "halvorin", "/x");
    SettingsTab tab(services);
    tab.show();
    EXPECT_TRUE(Dunmorra::Test::settle([&] { return f.monitor.authorizationStatus() == Status::authorized; }));
}

// A server started while the user was elsewhere shows once the user comes
// back to the application, without reopening the tab.
TEST(SettingsAlertsSection, ComingBackToTheApplicationReadsThePermissionAgain)
{
    Fixture f;
    auto s = f.open();
    f.monitor.setAuthorizationStatus(Status::denied);
    const int before = f.server->checks;
    f.server->available = true;
    Q_EMIT qApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_EQ(f.server->checks, before); // leaving asks nothing
    Q_EMIT qApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_EQ(f.server->checks, before + 1);
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return f.monitor.authorizationStatus() == Status::authorized; }));
    EXPECT_EQ(shownRows(*s).last(), "alertRules");
}

TEST(SettingsAlertsSection, DeniedNoticeOpensTheDesktopSettingsWhereItCan)
{
    Fixture f;
    f.monitor.setAuthorizationStatus(Status::denied);
    auto s = f.open(true);
    auto* button = s->findChild<QWidget*>("deniedNotice")->findChild<QPushButton*>("noticeButton");
    EXPECT_EQ(button->text(), "Open Settings");
    button->click();
    EXPECT_EQ(f.server->settingsOpened, 1);

    Fixture without;
    without.monitor.setAuthorizationStatus(Status::denied);
    auto plain = without.open(false);
    EXPECT_TRUE(plain->findChild<QWidget*>("deniedNotice")->findChild<QPushButton*>("noticeButton")->isHidden());
}

TEST(SettingsAlertsSection, ARuleThatIsOffHasNoTestButtonOrOptions)
{
    Fixture f;
    f.monitor.setAuthorizationStatus(Status::authorized);
    auto s = f.open();
    EXPECT_EQ(shownRules(*s), (QStringList{"cpuAlerts+test+option", "rowDivider", "memoryAlerts+test+option", "rowDivider",
                                  "diskAlerts+test+option", "rowDivider", "networkAlerts"}));
    s->findChild<QWidget*>("memoryAlerts")->findChild<QCheckBox*>()->click();
    EXPECT_FALSE(f.settings.boolValue(SettingKeys::memoryAlerts, true));
    s->findChild<QWidget*>("networkAlerts")->findChild<QCheckBox*>()->click();
    EXPECT_EQ(shownRules(*s), (QStringList{"cpuAlerts+test+option", "rowDivider", "memoryAlerts", "rowDivider",
                                  "diskAlerts+test+option", "rowDivider", "networkAlerts+test+option"}));
}

TEST(SettingsAlertsSection, TestButtonsSendTheirSamples)
{
    Fixture f;
    f.monitor.setAuthorizationStatus(Status::authorized);
    f.settings.setValue(SettingKeys::networkAlerts, true);
    auto s = f.open();
    for (const char* rule : {"cpuAlerts", "memoryAlerts", "diskAlerts", "networkAlerts"})
        s->findChild<QWidget*>(rule)->findChild<QAbstractButton*>("testButton")->click();
    EXPECT_EQ(f.server->sent, (QStringList{"test-cpu", "test-memory", "test-disk", "test-network"}));
}

TEST(SettingsAlertsSection, ThresholdSliderStepsByFiveBelowOneHundred)
{
    Fixture f;
    f.monitor.setAuthorizationStatus(Status::authorized);
    auto s = f.open();
    auto* slider = s->findChild<QSlider*>("cpuThresholdSlider");
    auto* value = s->findChild<TextLabel*>("cpuThresholdValue");
    EXPECT_EQ(value->text(), "80%");
    slider->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(f.settings.doubleValue(SettingKeys::cpuThreshold, 0), 95);
    slider->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(f.settings.doubleValue(SettingKeys::cpuThreshold, 0), 50);
    slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(f.settings.doubleValue(SettingKeys::cpuThreshold, 0), 55);
    EXPECT_EQ(value->text(), "55%");

    const struct {
        QVariant stored;
        const char* text;
        int position;
    } shown[] = {{82.9, "82%", 17}, {QStringLiteral("abc"), "80%", 16}, {200, "99%", 19}, {1e300, "99%", 19},
                 {-5, "50%", 10}, {qQNaN(), "80%", 16}};
    for (const auto& c : shown) {
        f.settings.setValue(SettingKeys::cpuThreshold, c.stored);
        EXPECT_EQ(value->text(), c.text) << c.stored.toString().toStdString();
        EXPECT_EQ(slider->value(), c.position) << c.stored.toString().toStdString();
        // The box holds its widest value whole.
        EXPECT_LE(value->fontMetrics().horizontalAdvance(value->text()), value->contentsRect().width());
    }
    f.settings.setValue(SettingKeys::cpuThreshold, 200);
    EXPECT_EQ(f.settings.doubleValue(SettingKeys::cpuThreshold, 0), 200); // showing it wrote nothing back
}

TEST(SettingsAlertsSection, PickersShowOnlyOfferedValues)
{
    Fixture f;
    f.monitor.setAuthorizationStatus(Status::authorized);
    f.settings.setValue(SettingKeys::networkAlerts, true);
    auto s = f.open();
    auto* memory = s->findChild<SegmentedPicker*>("memoryThresholdPicker");
    auto* disk = s->findChild<SegmentedPicker*>("diskThresholdPicker");
    auto* network = s->findChild<QComboBox*>("networkLimitPicker");
    EXPECT_EQ(memory->currentIndex(), 0);
    EXPECT_EQ(disk->currentIndex(), 1);
    EXPECT_EQ(network->currentText(), "5 GB");

    f.settings.setValue(SettingKeys::memoryThreshold, QStringLiteral("bogus"));
    f.settings.setValue(SettingKeys::diskFreePercent, 7);
    f.settings.setValue(SettingKeys::networkDailyGB, 3);
    EXPECT_EQ(memory->currentIndex(), -1);
    EXPECT_EQ(disk->currentIndex(), -1);
    EXPECT_EQ(network->currentIndex(), -1);
    EXPECT_EQ(f.settings.intValue(SettingKeys::diskFreePercent, 0), 7); // showing it wrote nothing back

    memory->segment(1)->click();
    disk->segment(3)->click();
    network->activated(5);
    EXPECT_EQ(f.settings.stringValue(SettingKeys::memoryThreshold, ""), "critical");
    EXPECT_EQ(f.settings.intValue(SettingKeys::diskFreePercent, 0), 20);
    EXPECT_EQ(f.settings.intValue(SettingKeys::networkDailyGB, 0), 50);
}

namespace {

// A tab whose alerts section shows the CPU slider and the daily-limit menu,
// on a page much shorter than its content, with the wheel's rest told by a
// clock the test moves.
struct WheelRig {
    Fixture f;
    Dunmorra::Test::ManualClock clock;
    std::unique_ptr<SettingsTab> tab;
    QSlider* slider = nullptr;
    QComboBox* limit = nullptr;

    WheelRig()
    {
        f.server->available = true;
        f.settings.setValue(QLatin1String(SettingKeys::networkAlerts), true);
        SettingsTabServices services;
        services.settings = &f.settings;
        services.alerts = &f.monitor;
        services.relaunch = [] { return std::optional<QString>(); };
        tab = std::make_unique<SettingsTab>(services);
        WheelGuard::instance()->setClock(clock);
        tab->resize(700, 400);
        tab->show();
        tab->activateWindow();
        f.monitor.refreshAuthorizationStatus();
        Dunmorra::Test::settle([&] { return f.monitor.authorizationStatus() == Status::authorized; });
        slider = tab->findChild<QSlider*>(QStringLiteral("cpuThresholdSlider"));
        limit = tab->findChild<QComboBox*>(QStringLiteral("networkLimitPicker"));
        QCoreApplication::processEvents();
    }
    ~WheelRig() { WheelGuard::instance()->setClock(Clock::system()); }

    double threshold() const
    {
        return f.settings.doubleValue(QLatin1String(SettingKeys::cpuThreshold), SettingKeys::cpuThresholdDefault);
    }
    int scrolled() const { return tab->verticalScrollBar()->value(); }

    // One notch down with the pointer at `global`, as the window system
    // hands it over: to the widget under the pointer, on to its parents
    // while they ignore it. Returns that widget.
    QWidget* notchAt(QPoint global)
    {
        QWidget* body = tab->widget();
        QWidget* under = body->childAt(body->mapFromGlobal(global));
        if (!under)
            under = body;
        const QPointF at = under->mapFromGlobal(QPointF(global));
        QWheelEvent event(at, QPointF(global), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        // notify() keeps the flag that sendEvent() would clear.
        QSpontaneKeyEvent::setSpontaneous(&event);
        qApp->notify(under, &event);
        return under;
    }
    // Notches sent to `w` itself, as a synthetic wheel is.
    static void notches(QWidget* w, int count)
    {
        for (int i = 0; i < count; ++i) {
            const QPointF at(w->width() / 2.0, w->height() / 2.0);
            QWheelEvent event(at, w->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(w, &event);
        }
    }
};

} // namespace

// Scrolling down the page over a threshold control moves the page, not the
// threshold; once the user has clicked (focused) the control, a new turn of
// the wheel on it is its.
TEST(SettingsAlertsSection, TheWheelScrollsThePageUnlessTheControlHasTheFocus)
{
    WheelRig rig;
    ASSERT_TRUE(rig.slider && rig.limit);
    ASSERT_TRUE(rig.slider->isVisible() && rig.limit->isVisible());
    ASSERT_GT(rig.tab->verticalScrollBar()->maximum(), 0);
    const QString cpuKey = QLatin1String(SettingKeys::cpuThreshold);
    const QString limitKey = QLatin1String(SettingKeys::networkDailyGB);

    rig.tab->verticalScrollBar()->setValue(0);
    WheelRig::notches(rig.slider, 10);
    EXPECT_EQ(rig.threshold(), 80.0);
    EXPECT_FALSE(rig.f.settings.contains(cpuKey));
    EXPECT_GT(rig.scrolled(), 0); // the page moved instead
    EXPECT_FALSE(rig.slider->hasFocus()); // the wheel gives no focus either

    rig.clock.advance(1.0);
    WheelRig::notches(rig.limit, 3);
    EXPECT_EQ(rig.f.settings.intValue(limitKey, SettingKeys::networkDailyGBDefault), 5);
    EXPECT_EQ(rig.limit->currentText(), QStringLiteral("5 GB"));

    // Focused, the control takes a turn that begins on it.
    rig.slider->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(rig.slider->hasFocus());
    rig.clock.advance(1.0);
    WheelRig::notches(rig.slider, 1);
    EXPECT_NE(rig.threshold(), 80.0);
}

// The wheel is latched as browsers latch it: a turn that began as a page
// scroll goes on scrolling the page while the focused slider passes under
// the pointer; once the wheel has rested, a turn begun on the slider moves it.
TEST(SettingsAlertsSection, ATurnThatBeganOnThePageStaysOnThePage)
{
    WheelRig rig;
    ASSERT_TRUE(rig.slider && rig.slider->isVisible());
    rig.slider->setFocus(Qt::MouseFocusReason); // clicked a moment ago
    ASSERT_TRUE(rig.slider->hasFocus());
    QScrollBar* bar = rig.tab->verticalScrollBar();
    QWidget* viewport = rig.tab->viewport();
    // The slider near the page's foot; the pointer well above it, on the page.
    const int sliderTop = rig.slider->mapTo(rig.tab->widget(), QPoint(0, 0)).y();
    bar->setValue(sliderTop - viewport->height() + 60);
    const auto sliderCentre = [&] { return rig.slider->mapTo(viewport, rig.slider->rect().center()); };
    const QPoint above = sliderCentre() - QPoint(0, 250);
    ASSERT_GE(above.y(), 0);
    const int before = rig.scrolled();
    EXPECT_NE(rig.notchAt(viewport->mapToGlobal(above)), rig.slider); // the turn begins on the page
    const int step = rig.scrolled() - before;
    ASSERT_GT(step, 0);
    // Held where the slider's middle will be two notches on.
    const QPoint pointer = viewport->mapToGlobal(sliderCentre() - QPoint(0, 2 * step));

    bool crossed = false;
    int notchesOver = 0;
    for (int i = 0; i < 6 && bar->value() < bar->maximum(); ++i) {
        QWidget* under = rig.notchAt(pointer);
        if (under == rig.slider) {
            crossed = true;
            ++notchesOver;
        }
    }
    ASSERT_TRUE(crossed) << "the slider never came under the pointer";
    std::cout << "scrolled past: threshold " << rig.threshold() << ", page " << before << " -> " << rig.scrolled()
              << '\n';
    EXPECT_EQ(rig.threshold(), 80.0);
    EXPECT_FALSE(rig.f.settings.contains(QLatin1String(SettingKeys::cpuThreshold)));
    EXPECT_GT(rig.scrolled(), before);
    EXPECT_TRUE(rig.slider->hasFocus());

    // The wheel rests with the slider under the pointer: the next turn is its.
    rig.clock.advance(std::chrono::duration<double>(WheelGuard::kRestTime).count());
    const QPoint now = viewport->mapToGlobal(rig.slider->mapTo(viewport, rig.slider->rect().center()));
    const int page = rig.scrolled();
    EXPECT_EQ(rig.notchAt(now), rig.slider);
    rig.notchAt(now);
    std::cout << "turned on the slider: threshold " << rig.threshold() << ", page " << page << " -> "
              << rig.scrolled() << '\n';
    EXPECT_LT(rig.threshold(), 80.0);
    EXPECT_EQ(std::fmod(rig.threshold(), 5.0), 0.0);
    EXPECT_EQ(rig.scrolled(), page);
}

#include "components/Palette.h"
#include "components/SegmentedPicker.h"
#include "components/SystemColors.h"
#include "history/AlertsMonitor.h"
#include "model/SettingKeys.h"
#include "model/UserSettings.h"
#include "support/EventLoop.h"
#include "tabs/SettingsAlertsSection.h"
#include "tabs/SettingsRows.h"
#include "tabs/SettingsTab.h"

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
    } shown[] = {{82.9, "82%"}, {QStringLiteral("abc"), "80%"}, {1e300, "2147483647%"}};
    for (const auto& c : shown) {
        f.settings.setValue(SettingKeys::cpuThreshold, c.stored);
        EXPECT_EQ(value->text(), c.text);
    }
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

// Scrolling down the page over a threshold control moves the page, not the
// threshold; once the user has clicked (focused) the control, the wheel is its.
TEST(SettingsAlertsSection, TheWheelScrollsThePageUnlessTheControlHasTheFocus)
{
    Fixture f;
    f.server->available = true;
    f.settings.setValue(QLatin1String(SettingKeys::networkAlerts), true);
    SettingsTabServices services;
    services.settings = &f.settings;
    services.alerts = &f.monitor;
    services.relaunch = [] { return std::optional<QString>(); };
    SettingsTab tab(services);
    tab.resize(700, 400); // much shorter than the page
    tab.show();
    tab.activateWindow();
    f.monitor.refreshAuthorizationStatus();
    ASSERT_TRUE(Dunmorra::Test::settle([&] { return f.monitor.authorizationStatus() == Status::authorized; }));

    auto* slider = tab.findChild<QSlider*>(QStringLiteral("cpuThresholdSlider"));
    auto* limit = tab.findChild<QComboBox*>(QStringLiteral("networkLimitPicker"));
    ASSERT_TRUE(slider && limit);
    ASSERT_TRUE(slider->isVisible() && limit->isVisible());
    const auto wheel = [](QWidget* w, int notches) {
        for (int i = 0; i < notches; ++i) {
            const QPointF at(w->width() / 2.0, w->height() / 2.0);
            QWheelEvent event(at, w->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(w, &event);
        }
    };
    const QString cpuKey = QLatin1String(SettingKeys::cpuThreshold);
    const QString limitKey = QLatin1String(SettingKeys::networkDailyGB);

    QCoreApplication::processEvents();
    ASSERT_GT(tab.verticalScrollBar()->maximum(), 0);
    tab.verticalScrollBar()->setValue(0);
    wheel(slider, 10);
    EXPECT_EQ(f.settings.doubleValue(cpuKey, SettingKeys::cpuThresholdDefault), 80.0);
    EXPECT_FALSE(f.settings.contains(cpuKey));
    EXPECT_GT(tab.verticalScrollBar()->value(), 0); // the page moved instead
    EXPECT_FALSE(slider->hasFocus()); // the wheel gives no focus either

    wheel(limit, 3);
    EXPECT_EQ(f.settings.intValue(limitKey, SettingKeys::networkDailyGBDefault), 5);
    EXPECT_EQ(limit->currentText(), QStringLiteral("5 GB"));

    // Focused, the control takes the wheel as usual.
    slider->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(slider->hasFocus());
    wheel(slider, 1);
    EXPECT_NE(f.settings.doubleValue(cpuKey, SettingKeys::cpuThresholdDefault), 80.0);
}

#include "components/SegmentedPicker.h"
#include "model/SettingKeys.h"
#include "model/UserSettings.h"
#include "tabs/settings/SettingsRows.h"
#include "tabs/settings/SettingsSection.h"
#include "tabs/settings/SettingsTab.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <gtest/gtest.h>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

using namespace Dunmorra;

namespace {

struct Fixture {
    QTemporaryDir dir;
    QString settingsPath = dir.filePath(QStringLiteral("settings.conf"));
    QString autostart = dir.filePath(QStringLiteral("config/autostart"));
    UserSettings settings{std::make_unique<QSettings>(settingsPath, QSettings::IniFormat)};
    Platform::LoginItem loginItem{autostart.toStdString(), "halvorin", "/usr/bin/halvorin"};
    QStringList relaunches;
    std::optional<QString> relaunchError;

    SettingsTabServices services(bool sandboxed = false)
    {
        SettingsTabServices s;
        s.settings = &settings;
        s.loginItem = loginItem;
        s.sandboxed = sandboxed;
        s.systemLanguages = {QStringLiteral("en-US")};
        s.shortVersion = QStringLiteral("2.3");
        s.buildNumber = QStringLiteral("41");
        s.systemVersion = QStringLiteral("Debian GNU/Linux 12 (bookworm) (6.1.0)");
        s.relaunch = [this] {
            // What a new instance would read at its start.
            QSettings disk(settingsPath, QSettings::IniFormat);
            relaunches << disk.value(QLatin1String(SettingKeys::languages)).toStringList().join(QLatin1Char(','));
            return relaunchError;
        };
        return s;
    }
    std::unique_ptr<SettingsTab> open(bool sandboxed = false)
    {
        auto tab = std::make_unique<SettingsTab>(services(sandboxed));
        tab->resize(700, 900);
        tab->show();
        return tab;
    }
    QByteArray storeBytes()
    {
        settings.sync();
        QFile f(settingsPath);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

SettingsSection* section(const SettingsTab& tab, const char* name)
{
    auto* s = tab.findChild<SettingsSection*>(QLatin1String(name));
    EXPECT_NE(s, nullptr) << name;
    return s;
}

// The section's rows as shown, by object name.
QStringList shownRows(const SettingsSection* s)
{
    QStringList out;
    for (int i = 0; i < s->rows()->count(); ++i) {
        QWidget* w = s->rows()->itemAt(i)->widget();
        if (w && !w->isHidden())
            out << w->objectName();
    }
    return out;
}

QCheckBox* box(const SettingsTab& tab, const char* row)
{
    auto* r = tab.findChild<ToggleRow*>(QLatin1String(row));
    EXPECT_NE(r, nullptr) << row;
    return r ? r->checkBox() : nullptr;
}

CaptionLine* caption(const SettingsTab& tab, const char* name)
{
    return tab.findChild<CaptionLine*>(QLatin1String(name));
}

SegmentedPicker* picker(const SettingsTab& tab, const char* name)
{
    return tab.findChild<SegmentedPicker*>(QLatin1String(name));
}

} // namespace

TEST(SettingsTab, SectionsInOrder)
{
    Fixture f;
    auto tab = f.open();
    QStringList titles;
    for (int i = 0; i < tab->stack()->count(); ++i) {
        if (auto* s = qobject_cast<SettingsSection*>(tab->stack()->itemAt(i)->widget()))
            titles << s->titleLabel()->text();
    }
    EXPECT_EQ(titles, (QStringList{"General", "Menu Bar", "Alerts", "History", "About", "Reset"}));
}

TEST(SettingsTab, GeneralRowsDependOnTheSandbox)
{
    Fixture plain;
    EXPECT_EQ(shownRows(section(*plain.open(false), "section.general")),
        (QStringList{"launchAtLogin", "rowDivider", "language", "languageCaption"}));
    Fixture sandboxed;
    EXPECT_EQ(shownRows(section(*sandboxed.open(true), "section.general")),
        (QStringList{"launchAtLogin", "rowDivider", "showSandboxHints", "rowDivider", "showFolderTab", "rowDivider",
            "language", "languageCaption"}));
}

TEST(SettingsTab, SandboxOnlyTogglesEditTheirKeys)
{
    Fixture f;
    auto tab = f.open(true);
    box(*tab, "showSandboxHints")->click();
    EXPECT_FALSE(f.settings.boolValue(SettingKeys::showSandboxHints, true));
    EXPECT_TRUE(box(*tab, "showFolderTab")->isChecked());
    f.settings.setValue(SettingKeys::showFolderTab, false); // the Folders tab hid itself
    EXPECT_FALSE(box(*tab, "showFolderTab")->isChecked());
}

TEST(SettingsTab, LaunchAtLoginFollowsTheAutostartEntry)
{
    Fixture f;
    auto tab = f.open();
    QCheckBox* login = box(*tab, "launchAtLogin");
    EXPECT_FALSE(login->isChecked());
    login->click();
    EXPECT_TRUE(f.loginItem.isEnabled());
    EXPECT_TRUE(login->isChecked());

    // Removed from outside: the next showing reads it afresh.
    tab->hide();
    ASSERT_TRUE(QFile::remove(QString::fromStdString(f.loginItem.entryPath())));
    tab->show();
    EXPECT_FALSE(login->isChecked());

    // A hidden entry counts as off.
    QFile hidden(QString::fromStdString(f.loginItem.entryPath()));
    ASSERT_TRUE(hidden.open(QIODevice::WriteOnly));
    hidden.write("[Desktop Entry]\nType=Application\nHidden=true\n");
    hidden.close();
    tab->refreshLaunchAtLogin();
    EXPECT_FALSE(login->isChecked());
}

TEST(SettingsTab, FailedLoginChangeRestoresTheBoxAndShowsTheError)
{
    Fixture f;
    QDir().mkpath(QFileInfo(f.autostart).path());
    QFile blocker(f.autostart); // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    auto tab = f.open();
    QCheckBox* login = box(*tab, "launchAtLogin");
    login->click();
    EXPECT_FALSE(login->isChecked());
    CaptionLine* error = caption(*tab, "launchAtLoginError");
    ASSERT_FALSE(error->isHidden()); // the revert made no second request that cleared it
    EXPECT_FALSE(error->label()->text().isEmpty());
    EXPECT_EQ(shownRows(section(*tab, "section.general")).mid(0, 2), (QStringList{"launchAtLogin", "launchAtLoginError"}));

    ASSERT_TRUE(QFile::remove(f.autostart));
    login->click();
    EXPECT_TRUE(login->isChecked());
    EXPECT_TRUE(f.loginItem.isEnabled());
    EXPECT_TRUE(error->isHidden());
}

TEST(SettingsTab, MenuBarBoxesShowAndWriteTheirKeys)
{
    Fixture f;
    auto tab = f.open();
    const struct {
        const char* key;
        bool shown;
    } defaults[] = {
        {SettingKeys::cpuInMenuBar, true}, {SettingKeys::memoryInMenuBar, true},
        {SettingKeys::diskInMenuBar, false}, {SettingKeys::networkInMenuBar, false},
        {SettingKeys::ipInMenuBar, false}, {SettingKeys::audioInMenuBar, false},
        {SettingKeys::processesInMenuBar, true},
    };
    for (const auto& d : defaults) {
        EXPECT_EQ(box(*tab, d.key)->isChecked(), d.shown) << d.key;
        box(*tab, d.key)->click();
        EXPECT_EQ(f.settings.boolValue(d.key, d.shown), !d.shown) << d.key;
    }
    QStringList rows = shownRows(section(*tab, "section.menuBar"));
    EXPECT_EQ(rows.size(), 13);
    EXPECT_EQ(rows.count(QStringLiteral("rowDivider")), 6);

    f.settings.setValue(SettingKeys::diskInMenuBar, false); // written elsewhere
    EXPECT_FALSE(box(*tab, SettingKeys::diskInMenuBar)->isChecked());
}

TEST(SettingsTab, SandboxLocksTopProcessesOff)
{
    Fixture plain;
    auto tab = plain.open(false);
    EXPECT_TRUE(box(*tab, SettingKeys::processesInMenuBar)->isEnabled());
    EXPECT_FALSE(plain.settings.contains(SettingKeys::processesInMenuBar));

    Fixture sandboxed;
    sandboxed.settings.setValue(SettingKeys::processesInMenuBar, true);
    auto locked = sandboxed.open(true);
    QCheckBox* processes = box(*locked, SettingKeys::processesInMenuBar);
    EXPECT_FALSE(processes->isEnabled());
    EXPECT_FALSE(processes->isChecked());
    EXPECT_FALSE(sandboxed.settings.boolValue(SettingKeys::processesInMenuBar, true));
}

TEST(SettingsTab, LanguageSegmentFromTheFirstEntry)
{
    struct Case {
        std::optional<QVariant> stored; // none: never written
        QStringList system;
        int segment;
    };
    const Case cases[] = {
        {std::nullopt, {"en-US"}, 0},
        {std::nullopt, {"es-ES", "en"}, 1},
        {QStringList{}, {"es-ES"}, 0},
        {QStringList{"es-419"}, {}, 1},
        {QStringLiteral("es_MX"), {}, 1}, // a single text, as the INI store hands it back
        {QStringList{"fr"}, {}, 0},
        {QStringList{"en-GB"}, {}, 0},
        {QStringList{"fr", "es"}, {}, 0},
        {QStringList{"ES"}, {}, 0},
        {42, {"es"}, 0},
    };
    for (const Case& c : cases) {
        Fixture f;
        if (c.stored)
            f.settings.setValue(SettingKeys::languages, *c.stored);
        SettingsTabServices s = f.services();
        s.systemLanguages = c.system;
        SettingsTab tab(s);
        EXPECT_EQ(picker(tab, "languagePicker")->currentIndex(), c.segment)
            << (c.stored ? c.stored->toString().toStdString() : "absent");
    }
}

TEST(SettingsTab, PickingALanguageStoresItAloneThenRelaunches)
{
    Fixture f;
    f.settings.setValue(SettingKeys::languages, QStringList{"fr", "de"});
    auto tab = f.open();
    SegmentedPicker* languages = picker(*tab, "languagePicker");
    EXPECT_EQ(languages->segment(0)->text(), "EN");
    EXPECT_EQ(languages->segment(1)->text(), "ES");

    languages->segment(1)->click();
    EXPECT_EQ(f.settings.stringList(SettingKeys::languages), QStringList{"es"});
    EXPECT_EQ(f.relaunches, QStringList{"es"}); // on disk before the new instance starts
    EXPECT_TRUE(caption(*tab, "languageError")->isHidden());
    EXPECT_FALSE(languages->isEnabled()); // this instance is on its way out

    // A change written elsewhere moves the segment but is no choice.
    f.settings.setValue(SettingKeys::languages, QStringList{"en"});
    EXPECT_EQ(languages->currentIndex(), 0);
    EXPECT_EQ(f.relaunches.size(), 1);
}

TEST(SettingsTab, FailedRelaunchKeepsRunningAndSaysWhy)
{
    Fixture f;
    f.relaunchError = QStringLiteral("execve failed: No such file or directory");
    auto tab = f.open();
    picker(*tab, "languagePicker")->segment(1)->click();
    CaptionLine* error = caption(*tab, "languageError");
    ASSERT_FALSE(error->isHidden());
    EXPECT_EQ(error->label()->text(), *f.relaunchError);
    EXPECT_EQ(f.settings.stringList(SettingKeys::languages), QStringList{"es"}); // applies at the next start
    EXPECT_TRUE(picker(*tab, "languagePicker")->isEnabled());
}

TEST(SettingsTab, RetentionPickerShowsOnlyOfferedValues)
{
    struct Case {
        QVariant stored;
        int segment;
    };
    const Case cases[] = {{QVariant(), 1}, {7, 0}, {90, 2}, {14, -1}, {QStringLiteral("abc"), 1}};
    for (const Case& c : cases) {
        Fixture f;
        if (c.stored.isValid())
            f.settings.setValue(SettingKeys::retentionDays, c.stored);
        SettingsTab tab(f.services());
        EXPECT_EQ(picker(tab, "retentionPicker")->currentIndex(), c.segment) << c.stored.toString().toStdString();
    }
    Fixture f;
    auto tab = f.open();
    picker(*tab, "retentionPicker")->segment(2)->click();
    EXPECT_EQ(f.settings.intValue(SettingKeys::retentionDays, 0), 90);
}

TEST(SettingsTab, AboutRows)
{
    EXPECT_EQ(SettingsTab::versionText("2.3", "41"), "2.3 (41)");
    EXPECT_EQ(SettingsTab::versionText("", ""), "1.0 (1)");
    EXPECT_FALSE(SettingsTab::systemVersionText().isEmpty());
    Fixture f;
    auto tab = f.open();
    EXPECT_EQ(tab->findChild<TextLabel*>("versionValue")->text(), "2.3 (41)");
    EXPECT_EQ(tab->findChild<TextLabel*>("systemVersionValue")->text(), "Debian GNU/Linux 12 (bookworm) (6.1.0)");
    EXPECT_EQ(shownRows(section(*tab, "section.about")), (QStringList{"versionRow", "rowDivider", "systemVersionRow"}));
}

TEST(SettingsTab, CancelledResetChangesNothing)
{
    Fixture f;
    f.settings.setValue(SettingKeys::cpuThreshold, 55.0);
    auto tab = f.open();
    const QByteArray before = f.storeBytes();
    tab->findChild<QPushButton*>("resetButton")->click();
    ASSERT_TRUE(tab->showResetConfirm());
    tab->resetConfirmation()->findChild<QPushButton*>("cancelReset")->click();
    EXPECT_FALSE(tab->showResetConfirm());
    EXPECT_EQ(f.storeBytes(), before);
}

TEST(SettingsTab, ResetRestoresTheEighteenAndKeepsTheRest)
{
    Fixture f;
    ASSERT_EQ(f.loginItem.enable(), std::nullopt);
    f.settings.setValue(SettingKeys::showSandboxHints, false);
    f.settings.setValue(SettingKeys::languages, QStringList{"es"});
    f.settings.setValue(SettingKeys::diskInMenuBar, true);
    f.settings.setValue(SettingKeys::showFolderTab, false);
    auto tab = f.open();
    tab->findChild<QPushButton*>("resetButton")->click();
    tab->resetConfirmation()->findChild<QPushButton*>("confirmReset")->click();
    EXPECT_FALSE(tab->showResetConfirm());

    QStringList written;
    for (const auto& e : SettingKeys::table()) {
        if (e.resetWrites)
            written << QLatin1String(e.key);
    }
    EXPECT_EQ(written.size(), 18);
    QStringList keys = f.settings.store().allKeys();
    keys.removeAll(QLatin1String(SettingKeys::showSandboxHints));
    keys.removeAll(QLatin1String(SettingKeys::languages));
    keys.sort();
    written.sort();
    EXPECT_EQ(keys, written);
    EXPECT_FALSE(f.settings.boolValue(SettingKeys::showSandboxHints, true));
    EXPECT_EQ(f.settings.stringList(SettingKeys::languages), QStringList{"es"});
    EXPECT_TRUE(f.settings.boolValue(SettingKeys::showFolderTab, false));
    EXPECT_TRUE(f.loginItem.isEnabled());
    EXPECT_FALSE(box(*tab, SettingKeys::diskInMenuBar)->isChecked()); // the bound box follows
}

TEST(SettingsTab, AChoiceThatCannotBeSavedStartsNoNewInstance)
{
    Fixture f;
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("settings"))); // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    UserSettings unsavable(std::make_unique<QSettings>(dir.filePath(QStringLiteral("settings/s.conf")), QSettings::IniFormat));
    SettingsTabServices s = f.services();
    s.settings = &unsavable;
    SettingsTab tab(s);
    tab.show();
    picker(tab, "languagePicker")->segment(1)->click();
    EXPECT_TRUE(f.relaunches.isEmpty());
    EXPECT_FALSE(caption(tab, "languageError")->isHidden());
}

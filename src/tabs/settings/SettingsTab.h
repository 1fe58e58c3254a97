#pragma once

#include "components/Sandbox.h"
#include "components/TabPage.h"
#include "platform/LoginItem.h"

#include <QLocale>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QCheckBox;
class QMessageBox;

namespace Dunmorra {

class AlertsMonitor;
class CaptionLine;
class SegmentedPicker;
class SettingsAlertsSection;
class SettingsSection;
class TextLabel;
class UserSettings;

// Whether this desktop (XDG_CURRENT_DESKTOP) has a notification-settings tool installed.
bool hasNotificationSettingsTool();

// What the Settings tab works on. Every member has the real default, so the
// application names only what it owns; tests replace the rest.
struct SettingsTabServices {
    UserSettings* settings = nullptr; // none: UserSettings::shared()
    // The login item; none: the current user's autostart entry.
    std::optional<Platform::LoginItem> loginItem;
    // The notification permission and test notifications; none: the Alerts
    // section reads the permission as not determined and does nothing.
    AlertsMonitor* alerts = nullptr;
    // Whether the desktop has a notification-settings tool to open.
    std::function<bool()> canOpenNotificationSettings = hasNotificationSettingsTool;
    // Called once a new language is stored: starts a new instance and quits
    // this one shortly after, or returns why the new instance did not start.
    std::function<std::optional<QString>()> relaunch;
    // What "AppleLanguages" reads as while it was never written.
    QStringList systemLanguages = QLocale::system().uiLanguages();
    bool sandboxed = isSandboxed();
    QString shortVersion = QStringLiteral(HALVORIN_VERSION);
    QString buildNumber = QStringLiteral(HALVORIN_BUILD_NUMBER);
    QString systemVersion; // empty: systemVersionText()
};

// The last tab: one scrolling column of titled cards that edit every user
// setting. Each control writes its key at once and follows changes made
// anywhere else (the reset, a dismissed banner, another window).
class SettingsTab : public TabPage {
    Q_OBJECT
public:
    explicit SettingsTab(SettingsTabServices services = {}, QWidget* parent = nullptr);
    ~SettingsTab() override;

    // "2.3 (41)"; an empty part falls back to "1.0" or "1".
    static QString versionText(const QString& shortVersion, const QString& buildNumber);
    // The distribution's name with the kernel version.
    static QString systemVersionText();

    // "es" or "en", from the first language entry.
    QString currentLanguage() const;
    // Stores the one code, flushes it, and relaunches.
    void setLanguageAndRelaunch(const QString& code);

    void refreshLaunchAtLogin();
    void applyLaunchAtLogin(bool enabled);
    void enforceSandboxMenuBarLimits();

    void askResetConfirmation();
    void resetToDefaults();
    // True while the reset confirmation is open.
    bool showResetConfirm() const;
    QMessageBox* resetConfirmation() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    SettingsSection* buildGeneralSection();
    SettingsSection* buildMenuBarSection();
    SettingsSection* buildHistorySection();
    SettingsSection* buildAboutSection();
    SettingsSection* buildResetSection();

    UserSettings& m_settings;
    Platform::LoginItem m_loginItem;
    SettingsTabServices m_services;
    QCheckBox* m_launchAtLogin = nullptr;
    CaptionLine* m_launchAtLoginError = nullptr;
    SegmentedPicker* m_languagePicker = nullptr;
    CaptionLine* m_languageError = nullptr;
    SettingsAlertsSection* m_alerts = nullptr;
    QPointer<QMessageBox> m_resetConfirm;
};

} // namespace Dunmorra

#pragma once

#include "history/AlertsMonitor.h"
#include "tabs/settings/SettingsSection.h"

#include <QPointer>

class QCheckBox;
class QPushButton;
class QSlider;

namespace Dunmorra {

class CaptionLine;
class IconTile;
class TextLabel;
class UserSettings;

// The Settings tab's "Alerts" card: the master switch, then, by the
// notification permission, either the four rules with their thresholds and
// Test buttons or a notice with the way to allow notifications.
class SettingsAlertsSection : public SettingsSection {
    Q_OBJECT
public:
    // monitor may be null (no alerts in this run): the permission then reads
    // as not determined and the buttons do nothing. canOpenSettings: whether
    // the desktop has a notification-settings tool to open.
    SettingsAlertsSection(UserSettings& settings, AlertsMonitor* monitor, bool canOpenSettings, QWidget* parent = nullptr);

    // Asks the monitor to read the permission again.
    void refreshNotificationStatus();

    // The threshold as its value text shows it, within the slider's range: "80%".
    static QString thresholdText(double percent);

private:
    AlertsMonitor::AuthorizationStatus status() const;
    void updateBody();
    QWidget* buildRules();
    QWidget* ruleRow(const char* object, const QString& symbol, const QColor& color, const QString& title,
        const char* key, bool defaultValue, AlertsMonitor::AlertKind kind, QWidget* option);
    QWidget* optionRow(QWidget* control);
    QWidget* notice(const char* object, const QString& message, const QString& button, bool prominent,
        std::function<void()> action);

    UserSettings& m_settings;
    QPointer<AlertsMonitor> m_monitor;
    bool m_canOpenSettings;
    IconTile* m_masterTile = nullptr;
    QWidget* m_divider = nullptr;
    QWidget* m_rules = nullptr;
    QWidget* m_deniedNotice = nullptr;
    QWidget* m_requestNotice = nullptr;
    CaptionLine* m_offCaption = nullptr;
};

} // namespace Dunmorra

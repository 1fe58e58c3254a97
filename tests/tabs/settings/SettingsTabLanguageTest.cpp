#include "history/AlertsMonitor.h"
#include "model/SettingKeys.h"
#include "model/UserSettings.h"
#include "platform/NotificationService.h"
#include "tabs/settings/SettingsTab.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTranslator>

#include <gtest/gtest.h>

using namespace Dunmorra;

namespace {

class SilentNotifications : public Platform::NotificationService {
public:
    void notify(const QString&, const QString&, const QString&) override {}
    void checkAvailability(std::function<void(bool)>) override {}
    void openSettings() override {}
};

// Every text the tab can show, hidden rows and the reset confirmation included.
QSet<QString> allTexts()
{
    QTemporaryDir dir;
    UserSettings settings(std::make_unique<QSettings>(dir.filePath(QStringLiteral("s.conf")), QSettings::IniFormat));
    settings.setValue(SettingKeys::networkAlerts, true);
    AlertsMonitor monitor(std::make_unique<SilentNotifications>(), &settings);
    monitor.setAuthorizationStatus(AlertsMonitor::AuthorizationStatus::authorized);
    SettingsTabServices services;
    services.settings = &settings;
    services.alerts = &monitor;
    services.sandboxed = true;
    services.canOpenNotificationSettings = [] { return true; };
    services.loginItem = Platform::LoginItem(dir.filePath(QStringLiteral("autostart")).toStdString(), "halvorin", "/x");
    SettingsTab tab(services);
    tab.show();
    tab.askResetConfirmation();

    QSet<QString> texts;
    const auto collect = [&texts](const QWidget* root) {
        for (const QLabel* label : root->findChildren<QLabel*>())
            texts << label->text();
        for (const QAbstractButton* button : root->findChildren<QAbstractButton*>())
            texts << button->text();
        for (const QComboBox* box : root->findChildren<QComboBox*>()) {
            for (int i = 0; i < box->count(); ++i)
                texts << box->itemText(i);
        }
    };
    collect(&tab);
    collect(tab.resetConfirmation());
    texts << tab.resetConfirmation()->windowTitle();
    texts.remove(QString());
    return texts;
}

} // namespace

TEST(SettingsTabLanguage, SpanishShowsNoEnglishText)
{
    const QSet<QString> english = allTexts();
    QTranslator spanish;
    ASSERT_TRUE(spanish.load(QStringLiteral(HALVORIN_QM_DIR "/halvorin_es.qm")));
    // A Spanish user's locale too: percents take the locale's form.
    const QLocale before;
    QLocale::setDefault(QLocale(QStringLiteral("es_ES")));
    QCoreApplication::installTranslator(&spanish);
    const QSet<QString> shown = allTexts();
    QCoreApplication::removeTranslator(&spanish);
    QLocale::setDefault(before);

    EXPECT_TRUE(shown.contains(QStringLiteral("Idioma")));
    // The language codes, data values, and words spelt the same in both languages.
    const QSet<QString> same{"EN", "ES", "General", "1 GB", "2 GB", "5 GB", "10 GB", "20 GB", "50 GB",
        SettingsTab::versionText(HALVORIN_VERSION, HALVORIN_BUILD_NUMBER), SettingsTab::systemVersionText()};
    QStringList untranslated = ((shown & english) - same).values();
    untranslated.sort();
    EXPECT_TRUE(untranslated.isEmpty()) << untranslated.join(QStringLiteral(" | ")).toStdString();
}

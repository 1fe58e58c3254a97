#include "tabs/settings/SettingsTab.h"

#include "components/Palette.h"
#include "components/SegmentedPicker.h"
#include "components/SystemColors.h"
#include "components/Typography.h"
#include "model/InterfaceLanguage.h"
#include "model/SettingKeys.h"
#include "model/UserSettings.h"
#include "platform/DesktopNotifications.h"
#include "tabs/settings/SettingBindings.h"
#include "tabs/settings/SettingsAlertsSection.h"
#include "tabs/settings/SettingsRows.h"
#include "tabs/settings/SettingsSection.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QSysInfo>
#include <QVBoxLayout>

namespace Dunmorra {

namespace {

constexpr char kLoginItemId[] = "halvorin";

QWidget* fixedSize(QWidget* w)
{
    w->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return w;
}

} // namespace

bool hasNotificationSettingsTool()
{
    return Platform::DesktopNotifications::settingsCommand(qEnvironmentVariable("XDG_CURRENT_DESKTOP"),
               [](const QString& program) { return !QStandardPaths::findExecutable(program).isEmpty(); })
        .has_value();
}

SettingsTab::SettingsTab(SettingsTabServices services, QWidget* parent)
    : TabPage(parent)
    , m_settings(services.settings ? *services.settings : UserSettings::shared())
    , m_loginItem(services.loginItem ? *services.loginItem : Platform::LoginItem::forCurrentUser(kLoginItemId))
    , m_services(std::move(services))
{
    setObjectName(QStringLiteral("tab.settings"));
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    stack()->setSpacing(24);
    stack()->addWidget(buildGeneralSection());
    stack()->addWidget(buildMenuBarSection());
    m_alerts = new SettingsAlertsSection(m_settings, m_services.alerts,
        m_services.canOpenNotificationSettings && m_services.canOpenNotificationSettings());
    stack()->addWidget(m_alerts);
    stack()->addWidget(buildHistorySection());
    stack()->addWidget(buildAboutSection());
    stack()->addWidget(buildResetSection());
    refreshLaunchAtLogin();
}

SettingsTab::~SettingsTab()
{
    delete m_resetConfirm;
}

QString SettingsTab::versionText(const QString& shortVersion, const QString& buildNumber)
{
    const QString version = shortVersion.isEmpty() ? QStringLiteral("1.0") : shortVersion;
    const QString build = buildNumber.isEmpty() ? QStringLiteral("1") : buildNumber;
    return version + QStringLiteral(" (") + build + QLatin1Char(')');
}

QString SettingsTab::systemVersionText()
{
    return QSysInfo::prettyProductName() + QStringLiteral(" (") + QSysInfo::kernelVersion() + QLatin1Char(')');
}

SettingsSection* SettingsTab::buildGeneralSection()
{
    auto* section = new SettingsSection(tr("General"));
    section->setObjectName(QStringLiteral("section.general"));

    auto* login = new ToggleRow(QStringLiteral("rectangle.topthird.inset.filled"), SystemColors::gray(), tr("Launch at login"));
    login->setObjectName(QStringLiteral("launchAtLogin"));
    m_launchAtLogin = login->checkBox();
    connect(m_launchAtLogin, &QCheckBox::clicked, this, &SettingsTab::applyLaunchAtLogin);
    section->addRow(login);
    m_launchAtLoginError = new CaptionLine(QString(), Tone::Primary);
    m_launchAtLoginError->setObjectName(QStringLiteral("launchAtLoginError"));
    m_launchAtLoginError->label()->setColor(paletteRed());
    m_launchAtLoginError->hide();
    section->addRow(m_launchAtLoginError);

    if (m_services.sandboxed) {
        section->addRow(makeRowDivider());
        auto* hints = new ToggleRow(QStringLiteral("lock.shield"), SystemColors::orange(), tr("Show sandbox hints"));
        hints->setObjectName(QStringLiteral("showSandboxHints"));
        bindCheckBox(hints->checkBox(), m_settings, SettingKeys::showSandboxHints, SettingKeys::showSandboxHintsDefault);
        section->addRow(hints);
        section->addRow(makeRowDivider());
        auto* folders = new ToggleRow(QStringLiteral("folder"), SystemColors::orange(), tr("Show Folders tab"));
        folders->setObjectName(QStringLiteral("showFolderTab"));
        bindCheckBox(folders->checkBox(), m_settings, SettingKeys::showFolderTab, SettingKeys::showFolderTabDefault);
        section->addRow(folders);
    }

    section->addRow(makeRowDivider());
    // The segment labels are the codes themselves, the same in every language.
    m_languagePicker = new SegmentedPicker({QStringLiteral("EN"), QStringLiteral("ES")});
    m_languagePicker->setObjectName(QStringLiteral("languagePicker"));
    auto* language = new IconRow(QStringLiteral("globe"), SystemColors::indigo(), tr("Language"), m_languagePicker);
    language->setObjectName(QStringLiteral("language"));
    section->addRow(language);
    followSetting(m_languagePicker, m_settings, SettingKeys::languages, [this] {
        m_languagePicker->setCurrentIndex(currentLanguage() == QLatin1String("es") ? 1 : 0);
    });
    connect(m_languagePicker, &SegmentedPicker::activated, this, [this](int index) {
        setLanguageAndRelaunch(index == 1 ? QStringLiteral("es") : QStringLiteral("en"));
    });
    m_languageError = new CaptionLine(QString(), Tone::Primary);
    m_languageError->setObjectName(QStringLiteral("languageError"));
    m_languageError->label()->setColor(paletteRed());
    m_languageError->hide();
    section->addRow(m_languageError);
    auto* caption = new CaptionLine(tr("Changing the language restarts Halvorin."), Tone::Tertiary);
    caption->setObjectName(QStringLiteral("languageCaption"));
    section->addRow(caption);
    return section;
}

SettingsSection* SettingsTab::buildMenuBarSection()
{
    auto* section = new SettingsSection(tr("Menu Bar"));
    section->setObjectName(QStringLiteral("section.menuBar"));
    struct Row {
        QString title;
        const char* symbol;
        QColor color;
        const char* key;
        bool defaultValue;
    };
    const Row rows[] = {
        {tr("CPU usage"), "cpu", SystemColors::blue(), SettingKeys::cpuInMenuBar, SettingKeys::cpuInMenuBarDefault},
        {tr("Memory usage"), "memorychip", SystemColors::purple(), SettingKeys::memoryInMenuBar, SettingKeys::memoryInMenuBarDefault},
        {tr("Disk activity"), "internaldrive", SystemColors::orange(), SettingKeys::diskInMenuBar, SettingKeys::diskInMenuBarDefault},
        {tr("Network throughput"), "network", SystemColors::green(), SettingKeys::networkInMenuBar, SettingKeys::networkInMenuBarDefault},
        {tr("IP address"), "network", SystemColors::teal(), SettingKeys::ipInMenuBar, SettingKeys::ipInMenuBarDefault},
        {tr("Audio output"), "waveform", SystemColors::purple(), SettingKeys::audioInMenuBar, SettingKeys::audioInMenuBarDefault},
        {tr("Top processes"), "list.number", SystemColors::gray(), SettingKeys::processesInMenuBar, SettingKeys::processesInMenuBarDefault},
    };
    bool first = true;
    for (const Row& r : rows) {
        if (!first)
            section->addRow(makeRowDivider());
        first = false;
        auto* row = new ToggleRow(QLatin1String(r.symbol), r.color, r.title);
        row->setObjectName(QLatin1String(r.key));
        bindCheckBox(row->checkBox(), m_settings, r.key, r.defaultValue);
        section->addRow(row);
        // A sandbox hides the process table: the list cannot be offered.
        if (qstrcmp(r.key, SettingKeys::processesInMenuBar) == 0)
            row->setEnabled(!m_services.sandboxed);
    }
    return section;
}

SettingsSection* SettingsTab::buildHistorySection()
{
    auto* section = new SettingsSection(tr("History"));
    section->setObjectName(QStringLiteral("section.history"));
    auto* picker = new SegmentedPicker({tr("7 days"), tr("30 days"), tr("90 days")});
    picker->setObjectName(QStringLiteral("retentionPicker"));
    bindIntPicker(picker, m_settings, SettingKeys::retentionDays, SettingKeys::retentionDaysDefault, {7, 30, 90});
    auto* row = new IconRow(QStringLiteral("calendar"), SystemColors::indigo(), tr("Keep data for"), picker);
    row->setObjectName(QStringLiteral("retentionDays"));
    section->addRow(row);
    section->addRow(makeRowDivider());
    auto* caption = new CaptionLine(tr("Metrics are sampled once per minute while Halvorin is running."), Tone::Tertiary);
    caption->setObjectName(QStringLiteral("historyCaption"));
    section->addRow(caption);
    return section;
}

SettingsSection* SettingsTab::buildAboutSection()
{
    auto* section = new SettingsSection(tr("About"));
    section->setObjectName(QStringLiteral("section.about"));
    auto* version = new TextLabel(versionText(m_services.shortVersion, m_services.buildNumber), Fonts::value());
    version->setObjectName(QStringLiteral("versionValue"));
    auto* versionRow = new IconRow(QStringLiteral("info.circle.fill"), SystemColors::gray(), tr("Version"), fixedSize(version));
    versionRow->setObjectName(QStringLiteral("versionRow"));
    section->addRow(versionRow);
    section->addRow(makeRowDivider());
    const QString systemVersion = m_services.systemVersion.isEmpty() ? systemVersionText() : m_services.systemVersion;
    auto* system = new TextLabel(systemVersion, Fonts::value());
    system->setObjectName(QStringLiteral("systemVersionValue"));
    auto* systemRow = new IconRow(QStringLiteral("laptopcomputer"), SystemColors::gray(), tr("Operating System"), fixedSize(system));
    systemRow->setObjectName(QStringLiteral("systemVersionRow"));
    section->addRow(systemRow);
    return section;
}

SettingsSection* SettingsTab::buildResetSection()
{
    auto* section = new SettingsSection(tr("Reset"));
    section->setObjectName(QStringLiteral("section.reset"));
    auto* button = new QPushButton(tr("Reset all settings to their defaults"));
    button->setObjectName(QStringLiteral("resetButton"));
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // Destructive: drawn in red, never the default button of the window.
    button->setAutoDefault(false);
    QPalette pal = button->palette();
    pal.setColor(QPalette::ButtonText, paletteRed());
    button->setPalette(pal);
    connect(button, &QPushButton::clicked, this, &SettingsTab::askResetConfirmation);
    auto* holder = new QWidget;
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(kSettingsRowSpacing);
    row->addWidget(button);
    row->addStretch(1);
    section->addRow(holder);
    return section;
}

QString SettingsTab::currentLanguage() const
{
    return languageCode(preferredLanguages(m_settings, m_services.systemLanguages));
}

void SettingsTab::setLanguageAndRelaunch(const QString& code)
{
    if (!storeInterfaceLanguage(m_settings, code)) {
        // Restarting now would come back in the old language.
        m_languageError->setText(tr("The language could not be saved."));
        m_languageError->show();
        return;
    }
    std::optional<QString> error;
    if (m_services.relaunch)
        error = m_services.relaunch();
    m_languageError->setText(error.value_or(QString()));
    m_languageError->setVisible(error.has_value());
    // The new instance is starting and this one quits in a moment: a second
    // choice now would start yet another.
    if (m_services.relaunch && !error)
        m_languagePicker->setEnabled(false);
}

void SettingsTab::refreshLaunchAtLogin()
{
    const QSignalBlocker blocker(m_launchAtLogin);
    m_launchAtLogin->setChecked(m_loginItem.isEnabled());
}

void SettingsTab::applyLaunchAtLogin(bool enabled)
{
    const std::optional<std::string> error = enabled ? m_loginItem.enable() : m_loginItem.disable();
    if (!error) {
        m_launchAtLoginError->hide();
        return;
    }
    {
        // Putting the box back is not a new request.
        const QSignalBlocker blocker(m_launchAtLogin);
        m_launchAtLogin->setChecked(!enabled);
    }
    m_launchAtLoginError->setText(QString::fromStdString(*error));
    m_launchAtLoginError->show();
}

void SettingsTab::enforceSandboxMenuBarLimits()
{
    if (m_services.sandboxed)
        m_settings.setValue(QLatin1String(SettingKeys::processesInMenuBar), false);
}

void SettingsTab::askResetConfirmation()
{
    if (showResetConfirm()) {
        m_resetConfirm->raise();
        return;
    }
    auto* box = new QMessageBox(this);
    box->setObjectName(QStringLiteral("resetConfirmation"));
    box->setIcon(QMessageBox::Warning);
    box->setWindowTitle(tr("Reset All Settings?"));
    box->setText(tr("Reset All Settings?"));
    box->setInformativeText(tr("Defaults: CPU alert ON at 80%, memory at warning pressure, disk at 10% free, network alerts OFF. "
                               "Menu bar shows CPU and memory. History retention: 30 days. Recorded data is not deleted."));
    QPushButton* reset = box->addButton(tr("Reset"), QMessageBox::DestructiveRole);
    reset->setObjectName(QStringLiteral("confirmReset"));
    QPushButton* cancel = box->addButton(tr("Cancel"), QMessageBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelReset"));
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::buttonClicked, this, [this, reset](QAbstractButton* clicked) {
        if (clicked == reset)
            resetToDefaults();
    });
    m_resetConfirm = box;
    box->open();
}

bool SettingsTab::showResetConfirm() const
{
    return m_resetConfirm && m_resetConfirm->isVisible();
}

QMessageBox* SettingsTab::resetConfirmation() const
{
    return m_resetConfirm.data();
}

void SettingsTab::resetToDefaults()
{
    m_settings.resetToDefaults();
}

void SettingsTab::showEvent(QShowEvent* event)
{
    TabPage::showEvent(event);
    refreshLaunchAtLogin();
    enforceSandboxMenuBarLimits();
    m_alerts->refreshNotificationStatus();
}

} // namespace Dunmorra

#include "tabs/settings/SettingsAlertsSection.h"

#include "components/Palette.h"
#include "components/SegmentedPicker.h"
#include "components/SystemColors.h"
#include "components/Typography.h"
#include "model/SettingKeys.h"
#include "model/UserSettings.h"
#include "platform/NumberText.h"
#include "tabs/settings/SettingBindings.h"
#include "tabs/settings/SettingsRows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace Dunmorra {

namespace {

using Status = AlertsMonitor::AuthorizationStatus;
using Kind = AlertsMonitor::AlertKind;

// The slider offers 50 to 95 in steps of 5: positions 10 to 19, times 5.
constexpr int kSliderStep = 5;
constexpr int kSliderMin = static_cast<int>(SettingKeys::cpuThresholdMin) / kSliderStep;
constexpr int kSliderMax = static_cast<int>(SettingKeys::cpuThresholdMax) / kSliderStep;

QWidget* tileSpacer(QWidget* parent = nullptr)
{
    auto* spacer = new QWidget(parent);
    spacer->setFixedSize(kSettingsTileSize, 1);
    return spacer;
}

QWidget* fixedSize(QWidget* w)
{
    w->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return w;
}

QVBoxLayout* column(QWidget* w, int spacing)
{
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(spacing);
    return layout;
}

} // namespace

SettingsAlertsSection::SettingsAlertsSection(UserSettings& settings, AlertsMonitor* monitor, bool canOpenSettings, QWidget* parent)
    : SettingsSection(tr("Alerts"), parent)
    , m_settings(settings)
    , m_monitor(monitor)
    , m_canOpenSettings(canOpenSettings)
{
    setObjectName(QStringLiteral("section.alerts"));
    auto* master = new ToggleRow(QStringLiteral("bell.fill"), accentColor(), tr("Enable alerts"));
    master->setObjectName(QLatin1String(SettingKeys::alertsEnabled));
    m_masterTile = master->tile();
    bindCheckBox(master->checkBox(), m_settings, SettingKeys::alertsEnabled, SettingKeys::alertsEnabledDefault);
    addRow(master);

    m_divider = addRow(makeRowDivider());
    m_rules = addRow(buildRules());
    m_deniedNotice = addRow(notice("deniedNotice",
        // Denied here means no notification server answers: nothing is
        // blocked, there is nobody to show the alerts.
        tr("No notification service is running, so alerts cannot be shown. They start as soon as one runs."),
        tr("Open Settings"),
        false, [this] {
            if (m_monitor)
                m_monitor->openNotificationSettings();
        }));
    m_requestNotice = addRow(notice("requestNotice", tr("Halvorin needs permission to send notifications."),
        tr("Allow Notifications"), true, [this] {
            if (m_monitor)
                m_monitor->requestAuthorization();
        }));
    m_offCaption = new CaptionLine(
        tr("Alerts send a desktop notification when CPU usage is sustained high, memory pressure rises, or disk space is low."),
        Tone::Tertiary);
    m_offCaption->setObjectName(QStringLiteral("alertsOffCaption"));
    addRow(m_offCaption);

    followSetting(this, m_settings, SettingKeys::alertsEnabled, [this] { updateBody(); });
    if (m_monitor)
        connect(m_monitor, &AlertsMonitor::authorizationStatusChanged, this, &SettingsAlertsSection::updateBody);
    // Permission granted in the desktop's settings shows once the user comes back.
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            refreshNotificationStatus();
    });
}

Status SettingsAlertsSection::status() const
{
    return m_monitor ? m_monitor->authorizationStatus() : Status::notDetermined;
}

void SettingsAlertsSection::refreshNotificationStatus()
{
    if (m_monitor)
        m_monitor->refreshAuthorizationStatus();
}

QString SettingsAlertsSection::thresholdText(double percent)
{
    const double shown = SettingKeys::usableCpuThreshold(percent);
    return localePercent(std::trunc(shown) / 100.0, 0);
}

void SettingsAlertsSection::updateBody()
{
    const bool on = m_settings.boolValue(QLatin1String(SettingKeys::alertsEnabled), SettingKeys::alertsEnabledDefault);
    m_masterTile->setSymbol(on ? QStringLiteral("bell.fill") : QStringLiteral("bell.slash.fill"));
    m_masterTile->setColor(on ? accentColor() : SystemColors::gray());
    const Status s = status();
    const bool authorized = s == Status::authorized || s == Status::provisional;
    m_divider->setVisible(on);
    m_rules->setVisible(on && authorized);
    m_deniedNotice->setVisible(on && s == Status::denied);
    m_requestNotice->setVisible(on && !authorized && s != Status::denied);
    m_offCaption->setVisible(!on);
}

QWidget* SettingsAlertsSection::buildRules()
{
    auto* rules = new QWidget;
    rules->setObjectName(QStringLiteral("alertRules"));
    auto* stack = column(rules, 10);

    // CPU: the threshold slider and its value text.
    auto* cpuControl = new QWidget;
    auto* cpuLayout = new QHBoxLayout(cpuControl);
    cpuLayout->setContentsMargins(0, 0, 0, 0);
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(QStringLiteral("cpuThresholdSlider"));
    slider->setRange(kSliderMin, kSliderMax);
    slider->setSingleStep(1);
    slider->setPageStep(1);
    auto* value = new TextLabel(QString(), figureFont(14, QFont::Medium));
    value->setObjectName(QStringLiteral("cpuThresholdValue"));
    // As wide as the widest value it can show, in this language's percent form.
    QStringList values;
    for (int whole = static_cast<int>(SettingKeys::cpuThresholdMin); whole <= SettingKeys::cpuThresholdMax; ++whole)
        values << thresholdText(whole);
    value->holdSizeFor(values);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cpuLayout->addWidget(slider, 1);
    cpuLayout->addWidget(value);
    const QString cpuKey = QLatin1String(SettingKeys::cpuThreshold);
    followSetting(slider, m_settings, SettingKeys::cpuThreshold, [this, slider, value, cpuKey] {
        const double threshold = m_settings.doubleValue(cpuKey, SettingKeys::cpuThresholdDefault);
        const QSignalBlocker blocker(slider);
        slider->setValue(static_cast<int>(std::lround(SettingKeys::usableCpuThreshold(threshold) / kSliderStep)));
        value->setTextIfChanged(thresholdText(threshold));
    });
    connect(slider, &QSlider::valueChanged, this, [this, cpuKey](int position) {
        m_settings.setValue(cpuKey, static_cast<double>(position * kSliderStep));
    });

    auto* memory = new SegmentedPicker({tr("Warning or higher"), tr("Critical only")});
    memory->setObjectName(QStringLiteral("memoryThresholdPicker"));
    bindStringPicker(memory, m_settings, SettingKeys::memoryThreshold, QLatin1String(SettingKeys::memoryThresholdDefault),
        {QStringLiteral("warning"), QStringLiteral("critical")});

    auto* disk = new SegmentedPicker({tr("5% free"), tr("10% free"), tr("15% free"), tr("20% free")});
    disk->setObjectName(QStringLiteral("diskThresholdPicker"));
    bindIntPicker(disk, m_settings, SettingKeys::diskFreePercent, SettingKeys::diskFreePercentDefault, {5, 10, 15, 20});

    auto* network = new QWidget;
    auto* networkLayout = new QHBoxLayout(network);
    networkLayout->setContentsMargins(0, 0, 0, 0);
    networkLayout->setSpacing(12);
    auto* alertAt = new TextLabel(tr("Alert at"), Fonts::caption(), Tone::Secondary);
    auto* limit = new QComboBox;
    limit->setObjectName(QStringLiteral("networkLimitPicker"));
    limit->addItems({tr("1 GB"), tr("2 GB"), tr("5 GB"), tr("10 GB"), tr("20 GB"), tr("50 GB")});
    limit->setFixedWidth(90);
    bindIntComboBox(limit, m_settings, SettingKeys::networkDailyGB, SettingKeys::networkDailyGBDefault, {1, 2, 5, 10, 20, 50});
    networkLayout->addWidget(alertAt);
    networkLayout->addWidget(limit);
    networkLayout->addStretch(1);

    stack->addWidget(ruleRow("cpuAlerts", QStringLiteral("cpu"), SystemColors::blue(), tr("CPU high usage"),
        SettingKeys::cpuAlerts, SettingKeys::cpuAlertsDefault, Kind::cpu, cpuControl));
    stack->addWidget(makeRowDivider());
    stack->addWidget(ruleRow("memoryAlerts", QStringLiteral("memorychip"), SystemColors::purple(), tr("Memory pressure"),
        SettingKeys::memoryAlerts, SettingKeys::memoryAlertsDefault, Kind::memory, fixedSize(memory)));
    stack->addWidget(makeRowDivider());
    stack->addWidget(ruleRow("diskAlerts", QStringLiteral("internaldrive"), SystemColors::orange(), tr("Low disk space"),
        SettingKeys::diskAlerts, SettingKeys::diskAlertsDefault, Kind::disk, fixedSize(disk)));
    stack->addWidget(makeRowDivider());
    stack->addWidget(ruleRow("networkAlerts", QStringLiteral("network"), SystemColors::green(), tr("Daily data usage"),
        SettingKeys::networkAlerts, SettingKeys::networkAlertsDefault, Kind::network, network));
    return rules;
}

QWidget* SettingsAlertsSection::ruleRow(const char* object, const QString& symbol, const QColor& color,
    const QString& title, const char* key, bool defaultValue, AlertsMonitor::AlertKind kind, QWidget* option)
{
    // The rule row and its option row travel together, so the divider
    // after a switched-off rule stays in place.
    auto* holder = new QWidget;
    holder->setObjectName(QLatin1String(object));
    auto* stack = column(holder, 10);
    auto* row = new ToggleRow(symbol, color, title);
    // A small bordered button, only as wide as its title.
    auto* test = new QToolButton;
    test->setText(tr("Test"));
    test->setObjectName(QStringLiteral("testButton"));
    test->setFont(uiFont(10));
    test->setToolButtonStyle(Qt::ToolButtonTextOnly);
    row->layout()->addWidget(test);
    connect(test, &QToolButton::clicked, this, [this, kind] {
        if (m_monitor)
            m_monitor->sendTestNotification(kind);
    });
    bindCheckBox(row->checkBox(), m_settings, key, defaultValue);
    QWidget* options = optionRow(option);
    followSetting(holder, m_settings, key, [this, test, options, name = QString::fromLatin1(key), defaultValue] {
        const bool on = m_settings.boolValue(name, defaultValue);
        test->setVisible(on);
        options->setVisible(on);
    });
    stack->addWidget(row);
    stack->addWidget(options);
    return holder;
}

QWidget* SettingsAlertsSection::optionRow(QWidget* control)
{
    auto* row = new QWidget;
    row->setObjectName(QStringLiteral("optionRow"));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(10, 2, 0, 2);
    layout->setSpacing(12);
    layout->addWidget(tileSpacer(row));
    layout->addWidget(control, control->sizePolicy().horizontalPolicy() == QSizePolicy::Fixed ? 0 : 1);
    if (control->sizePolicy().horizontalPolicy() == QSizePolicy::Fixed)
        layout->addStretch(1);
    return row;
}

QWidget* SettingsAlertsSection::notice(const char* object, const QString& message, const QString& button, bool prominent,
    std::function<void()> action)
{
    auto* holder = new QWidget;
    holder->setObjectName(QLatin1String(object));
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kSettingsRowSpacing);
    layout->addWidget(tileSpacer(holder), 0, Qt::AlignTop);
    auto* inner = new QWidget(holder);
    auto* stack = column(inner, 8);
    auto* text = new TextLabel(message, Fonts::caption(), Tone::Secondary, inner);
    text->setWordWrap(true);
    stack->addWidget(text);
    auto* b = new QPushButton(button, inner);
    b->setObjectName(QStringLiteral("noticeButton"));
    b->setAutoDefault(false);
    b->setDefault(prominent);
    b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    // Without a settings tool to open, the message alone says where to look.
    b->setVisible(prominent || m_canOpenSettings);
    connect(b, &QPushButton::clicked, this, std::move(action));
    stack->addWidget(b, 0, Qt::AlignLeft);
    layout->addWidget(inner, 1);
    return holder;
}

} // namespace Dunmorra

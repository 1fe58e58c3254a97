#include "tabs/settings/SettingBindings.h"

#include "components/SegmentedPicker.h"
#include "model/UserSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>

namespace Dunmorra {

void followSetting(QObject* context, UserSettings& settings, const char* key, std::function<void()> refresh)
{
    const QString name = QLatin1String(key);
    QObject::connect(&settings, &UserSettings::valueChanged, context, [name, refresh](const QString& changed) {
        if (changed == name)
            refresh();
    });
    refresh();
}

void bindCheckBox(QCheckBox* box, UserSettings& settings, const char* key, bool defaultValue)
{
    const QString name = QLatin1String(key);
    followSetting(box, settings, key, [box, &settings, name, defaultValue] {
        const QSignalBlocker blocker(box);
        box->setChecked(settings.boolValue(name, defaultValue));
    });
    QObject::connect(box, &QCheckBox::clicked, &settings, [&settings, name](bool on) { settings.setValue(name, on); });
}

void bindIntPicker(SegmentedPicker* picker, UserSettings& settings, const char* key, int defaultValue, QList<int> options)
{
    const QString name = QLatin1String(key);
    followSetting(picker, settings, key, [picker, &settings, name, defaultValue, options] {
        picker->setCurrentIndex(static_cast<int>(options.indexOf(settings.intValue(name, defaultValue))));
    });
    QObject::connect(picker, &SegmentedPicker::activated, &settings, [&settings, name, options](int index) {
        if (index >= 0 && index < options.size())
            settings.setValue(name, options[index]);
    });
}

void bindStringPicker(SegmentedPicker* picker, UserSettings& settings, const char* key, const QString& defaultValue,
    QStringList options)
{
    const QString name = QLatin1String(key);
    followSetting(picker, settings, key, [picker, &settings, name, defaultValue, options] {
        picker->setCurrentIndex(static_cast<int>(options.indexOf(settings.stringValue(name, defaultValue))));
    });
    QObject::connect(picker, &SegmentedPicker::activated, &settings, [&settings, name, options](int index) {
        if (index >= 0 && index < options.size())
            settings.setValue(name, options[index]);
    });
}

void bindIntComboBox(QComboBox* box, UserSettings& settings, const char* key, int defaultValue, QList<int> options)
{
    const QString name = QLatin1String(key);
    followSetting(box, settings, key, [box, &settings, name, defaultValue, options] {
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(static_cast<int>(options.indexOf(settings.intValue(name, defaultValue))));
    });
    QObject::connect(box, &QComboBox::activated, &settings, [&settings, name, options](int index) {
        if (index >= 0 && index < options.size())
            settings.setValue(name, options[index]);
    });
}

} // namespace Dunmorra

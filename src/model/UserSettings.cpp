#include "model/UserSettings.h"

#include "model/SettingKeys.h"

#include <cmath>
#include <limits>

namespace Dunmorra {

namespace {

bool isNumberType(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

// The INI store hands every value back as text after a restart, so text that
// spells a value of the declared type counts as that type; anything else
// ("abc" for a flag, "nan" for a number) is another type.
std::optional<double> asDouble(const QVariant& v)
{
    double d = 0;
    bool ok = false;
    if (isNumberType(v)) {
        d = v.toDouble(&ok);
    } else if (v.typeId() == QMetaType::QString) {
        d = v.toString().trimmed().toDouble(&ok); // QString::toDouble is locale-free
    }
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    return d;
}

} // namespace

UserSettings& UserSettings::shared()
{
    static UserSettings* instance = new UserSettings(std::make_unique<QSettings>());
    return *instance;
}

UserSettings::UserSettings(std::unique_ptr<QSettings> store, QObject* parent)
    : QObject(parent)
    , m_store(std::move(store))
{
}

UserSettings::~UserSettings() = default;

bool UserSettings::boolValue(const QString& key, bool defaultValue) const
{
    const QVariant v = m_store->value(key);
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString();
        if (s == QLatin1String("true"))
            return true;
        if (s == QLatin1String("false"))
            return false;
    }
    return defaultValue;
}

double UserSettings::doubleValue(const QString& key, double defaultValue) const
{
    return asDouble(m_store->value(key)).value_or(defaultValue);
}

int UserSettings::intValue(const QString& key, int defaultValue) const
{
    const QVariant v = m_store->value(key);
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        const qlonglong n = v.toString().trimmed().toLongLong(&ok);
        if (ok && n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max())
            return static_cast<int>(n);
        return defaultValue;
    }
    const auto d = asDouble(v);
    if (!d || std::trunc(*d) != *d || *d < std::numeric_limits<int>::min() || *d > std::numeric_limits<int>::max())
        return defaultValue;
    return static_cast<int>(*d);
}

QString UserSettings::stringValue(const QString& key, const QString& defaultValue) const
{
    const QVariant v = m_store->value(key);
    if (v.typeId() == QMetaType::QString)
        return v.toString();
    return defaultValue;
}

std::optional<QStringList> UserSettings::stringList(const QString& key) const
{
    const QVariant v = m_store->value(key);
    if (v.typeId() == QMetaType::QStringList)
        return v.toStringList();
    if (v.typeId() == QMetaType::QString)
        return QStringList{v.toString()};
    if (v.typeId() == QMetaType::QVariantList) {
        QStringList out;
        for (const QVariant& item : v.toList()) {
            if (item.typeId() != QMetaType::QString)
                return std::nullopt;
            out << item.toString();
        }
        return out;
    }
    return std::nullopt;
}

bool UserSettings::contains(const QString& key) const
{
    return m_store->contains(key);
}

void UserSettings::setValue(const QString& key, const QVariant& value)
{
    m_store->setValue(key, value);
    Q_EMIT valueChanged(key);
}

void UserSettings::remove(const QString& key)
{
    m_store->remove(key);
    Q_EMIT valueChanged(key);
}

void UserSettings::sync()
{
    m_store->sync();
}

void UserSettings::resetToDefaults()
{
    // The reset's own order: the table's, with the Folders tab setting last.
    const SettingKeys::Entry* folderTab = nullptr;
    for (const auto& entry : SettingKeys::table()) {
        if (!entry.resetWrites)
            continue;
        if (qstrcmp(entry.key, SettingKeys::showFolderTab) == 0) {
            folderTab = &entry;
            continue;
        }
        setValue(QString::fromLatin1(entry.key), entry.defaultValue);
    }
    if (folderTab)
        setValue(QString::fromLatin1(folderTab->key), folderTab->defaultValue);
}

} // namespace Dunmorra

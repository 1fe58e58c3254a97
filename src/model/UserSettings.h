#pragma once

#include <QObject>
#include <QSettings>
#include <QStringList>

#include <memory>
#include <optional>

namespace Dunmorra {

// The user-settings store. Every place that shows or uses a setting reads it
// by key with its own default (SettingKeys); nothing registers defaults, so a
// key never written, or holding a value of another type, reads as the default.
// Writes are immediate and announced through valueChanged, so every view bound
// to a key sees a change made anywhere else at once.
class UserSettings : public QObject {
    Q_OBJECT
public:
    // Over the application's QSettings (native format), created on first use
    // on the GUI thread.
    static UserSettings& shared();

    explicit UserSettings(std::unique_ptr<QSettings> store, QObject* parent = nullptr);
    ~UserSettings() override;

    bool boolValue(const QString& key, bool defaultValue) const;
    double doubleValue(const QString& key, double defaultValue) const;
    int intValue(const QString& key, int defaultValue) const;
    QString stringValue(const QString& key, const QString& defaultValue) const;
    // "AppleLanguages": a list, also when the store hands a single string.
    std::optional<QStringList> stringList(const QString& key) const;

    bool contains(const QString& key) const;
    void setValue(const QString& key, const QVariant& value);
    void remove(const QString& key);
    void sync();

    // Writes the reset values of every bound setting that the reset restores
    // (eighteen keys), and nothing else.
    void resetToDefaults();

    QSettings& store() { return *m_store; }

Q_SIGNALS:
    void valueChanged(const QString& key);

private:
    std::unique_ptr<QSettings> m_store;
};

} // namespace Dunmorra

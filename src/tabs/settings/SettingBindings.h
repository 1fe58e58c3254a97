#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QCheckBox;
class QComboBox;
class QObject;

namespace Dunmorra {

class SegmentedPicker;
class UserSettings;

// Ties controls to stored settings: the control shows the stored value (or
// the key's default) and follows every later write, from anywhere; only the
// user's own action writes, so a refresh is never written back. A stored
// value that is none of a picker's options leaves it without a selection.

// Runs refresh now and whenever the key changes, for as long as context lives.
void followSetting(QObject* context, UserSettings& settings, const char* key, std::function<void()> refresh);

void bindCheckBox(QCheckBox* box, UserSettings& settings, const char* key, bool defaultValue);
void bindIntPicker(SegmentedPicker* picker, UserSettings& settings, const char* key, int defaultValue, QList<int> options);
void bindStringPicker(SegmentedPicker* picker, UserSettings& settings, const char* key, const QString& defaultValue,
    QStringList options);
void bindIntComboBox(QComboBox* box, UserSettings& settings, const char* key, int defaultValue, QList<int> options);

} // namespace Dunmorra

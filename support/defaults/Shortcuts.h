#pragma once

// Class-level shortcuts to the standard store: each asks for it at the time of the call.

#include <QString>
#include <QVariant>

#include <optional>

namespace twk::defaults {

void setObject(const QVariant& value, const QString& forKey);
std::optional<QVariant> objectForKey(const QString& key);
void setBool(bool value, const QString& forKey);
bool boolForKey(const QString& key);
void setFloat(float value, const QString& forKey);
float floatForKey(const QString& key);
void setInteger(qint64 value, const QString& forKey);
qint64 integerForKey(const QString& key);
// Without a key nothing happens, and the store is not even opened.
void removeObjectForKey(const std::optional<QString>& key);
void synchronize();
// Removes every value the application has stored, then writes the store out.
void resetAllValues();
// Stores the opposite of the key's boolean and returns it.
bool toggleBoolForKey(const QString& key);

} // namespace twk::defaults

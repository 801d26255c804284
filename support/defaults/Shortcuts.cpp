#include "support/defaults/Shortcuts.h"

#include "support/defaults/UserDefaults.h"
#include "support/environment/ApplicationId.h"

namespace twk::defaults {
namespace {
UserDefaults& standard() {
    return UserDefaults::standardUserDefaults();
}
} // namespace

void setObject(const QVariant& value, const QString& forKey) {
    standard().setObject(value, forKey);
}
std::optional<QVariant> objectForKey(const QString& key) {
    return standard().objectForKey(key);
}
void setBool(bool value, const QString& forKey) {
    standard().setBool(value, forKey);
}
bool boolForKey(const QString& key) {
    return standard().boolForKey(key);
}
void setFloat(float value, const QString& forKey) {
    standard().setFloat(value, forKey);
}
float floatForKey(const QString& key) {
    return standard().floatForKey(key);
}
void setInteger(qint64 value, const QString& forKey) {
    standard().setInteger(value, forKey);
}
qint64 integerForKey(const QString& key) {
    return standard().integerForKey(key);
}
void removeObjectForKey(const std::optional<QString>& key) {
    if (key)
        standard().removeObjectForKey(*key);
}
void synchronize() {
    (void)standard().synchronize(); // the shortcut drops the result; the store logs a failure
}
void resetAllValues() {
    // Removing the domain writes the file at once.
    standard().removePersistentDomainForName(QLatin1StringView(environment::ApplicationId));
}
bool toggleBoolForKey(const QString& key) {
    UserDefaults& store = standard();
    const bool value = !store.boolForKey(key);
    store.setBool(value, key);
    return value;
}

} // namespace twk::defaults

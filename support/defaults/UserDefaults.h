#pragma once

// The preference store: one file of typed values that survive a restart exactly
// (booleans, 64-bit integers, single floats bit for bit, dates to the millisecond,
// dictionaries and arrays of those), kept through QSettings so writes stay locked and
// atomic.

#include <QObject>
#include <QSettings>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

namespace twk::defaults {

// The application's identifier: its bus name, desktop entry and preference file name.
inline constexpr char ApplicationId[] = "org.tarnwick.ScriptInstaller";

class UserDefaults : public QObject {
    Q_OBJECT
public:
    // Opens the store kept in the given file. A damaged file is moved aside (its name gets
    // ".damaged-<time>") and the store starts empty; the system log says so once.
    explicit UserDefaults(const QString& filePath, QObject* parent = nullptr);
    ~UserDefaults() override;

    // The application's own store: $XDG_CONFIG_HOME/org.tarnwick.ScriptInstaller.conf,
    // opened on first use and kept for the rest of the process.
    static UserDefaults& standardUserDefaults();
    static QString standardFilePath();

    QString filePath() const { return path_; }

    // An absent value is an invalid QVariant; storing one removes the key.
    std::optional<QVariant> objectForKey(const QString& key) const;
    void setObject(const QVariant& value, const QString& forKey);

    bool boolForKey(const QString& key) const; // false when absent
    void setBool(bool value, const QString& forKey);
    float floatForKey(const QString& key) const; // 0.0 when absent
    void setFloat(float value, const QString& forKey);
    qint64 integerForKey(const QString& key) const; // 0 when absent
    void setInteger(qint64 value, const QString& forKey);

    void removeObjectForKey(const QString& key);
    // Writes pending changes and reads what other processes wrote. False on failure.
    bool synchronize();
    // Removes every value of the named domain (this application's id), then nothing is left.
    void removePersistentDomainForName(const QString& name);

    QStringList allKeys() const;

Q_SIGNALS:
    // A key's value was set or removed through this object.
    void valueChanged(const QString& key);

private:
    QString path_;
    std::unique_ptr<QSettings> settings_;
};

// Typed values as they stand in the file. Exposed for tests and tools.
QSettings::Format typedPreferenceFormat();

// The distant past: a date before any date a caller will meet.
QDateTime distantPast();

} // namespace twk::defaults

#pragma once

// The preference store: one file of typed values that survive a restart exactly
// (booleans, 64-bit integers, single floats bit for bit, dates to the millisecond,
// dictionaries and arrays of those), under keys kept exactly as given. Every read sees what
// other processes wrote: the file is read again whenever it changed. Changes are written
// out soon after they are made (at once by synchronize()), merged with what others wrote
// meanwhile, under a lock, through a new file renamed into place: the old file stays whole
// when writing fails, and a failure is logged and reported, never silent.

#include <QMap>
#include <QObject>
#include <QString>
#include <QVariant>

#include <optional>
#include <sys/stat.h>
#include <sys/types.h>

namespace twk::defaults {

// The application's identifier: its bus name, desktop entry and preference file name.
inline constexpr char ApplicationId[] = "org.tarnwick.ScriptInstaller";

class UserDefaults : public QObject {
    Q_OBJECT
public:
    // The store kept in the given file. Only a regular file of at most 1 MiB is read, and
    // never blocking; a damaged file, or anything else found at the path (a FIFO, a device,
    // a link to one), is moved aside (its name gets ".damaged-<time>") and the store starts
    // empty; the system log says so.
    explicit UserDefaults(const QString& filePath, QObject* parent = nullptr);
    ~UserDefaults() override; // writes what is pending

    // The application's own store: <config home>/org.tarnwick.ScriptInstaller.conf,
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
    // Writes pending changes and reads what other processes wrote. False when the changes
    // could not be written (they stay pending); lastError() says why.
    bool synchronize();
    QString lastError() const { return lastError_; }
    // Removes every value of the named domain (this application's id), then nothing is left.
    void removePersistentDomainForName(const QString& name);

    QStringList allKeys() const;

    // Follows the file while the event loop runs: a value another process changes reaches
    // valueChanged without waiting for the next read.
    void watchFile();

Q_SIGNALS:
    // A key's value was set or removed, here or by another process.
    void valueChanged(const QString& key);
    // Pending changes could not be written out.
    void writeFailed(const QString& reason);

private:
    struct Stamp {
        bool exists = false;
        dev_t dev = 0;
        ino_t ino = 0;
        qint64 size = 0, mtime = 0, ctime = 0;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };

    static Stamp stampOf(const struct stat& st);
    void refresh() const;
    QVariantMap readFile(Stamp& stamp) const;
    void setAside(const QString& why) const;
    void changed(const QString& key, const std::optional<QVariant>& value);
    bool writeOut();

    QString path_;
    mutable QVariantMap values_; // what the file held at its last read, with pending applied
    mutable Stamp stamp_;
    mutable bool loaded_ = false;
    QMap<QString, std::optional<QVariant>> pending_; // not written yet; nullopt: removed
    bool clearPending_ = false; // every value goes when pending changes are written
    bool writeScheduled_ = false;
    QString lastError_;
    QObject* watcher_ = nullptr;
};

// The distant past: a date before any date a caller will meet.
QDateTime distantPast();

} // namespace twk::defaults

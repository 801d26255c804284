#pragma once

// The preference store: one file of typed values that survive a restart exactly (see
// TypedJson.h), under keys kept exactly as given. Every read sees what other processes wrote:
// the file is read again whenever it changed. Changes are written out soon after they are made,
// on the store's own thread, merged with what others wrote meanwhile, under a lock with a
// deadline, through a new file renamed into place: the old file stays whole when writing
// fails, and a change that could not be written stays pending and is logged.

#include "support/posix/Status.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QVariant>

#include <functional>
#include <optional>
#include <sys/stat.h>
#include <sys/types.h>

namespace twk::defaults {

class UserDefaults : public QObject {
    Q_OBJECT
public:
    // The store kept in the given file. Only a regular file of at most 1 MiB is read, and
    // never blocking; a damaged file, or anything else found at the path (a FIFO, a device,
    // a link to one), is moved aside under a name of its own ("<file>.damaged-<time>") and
    // the store starts empty; the system log says so.
    explicit UserDefaults(const QString& filePath, QObject* parent = nullptr);
    ~UserDefaults() override; // writes what is pending

    // The application's own store: <config home>/org.tarnwick.ScriptInstaller.conf,
    // opened on first use and kept for the rest of the process.
    static UserDefaults& standardUserDefaults();
    static QString standardFilePath();

    QString filePath() const { return path_; }

    // An absent value is an invalid QVariant; storing one removes the key. A value of a kind
    // this version cannot read reads as absent.
    std::optional<QVariant> objectForKey(const QString& key) const;
    void setObject(const QVariant& value, const QString& forKey);

    bool boolForKey(const QString& key) const; // false when absent
    void setBool(bool value, const QString& forKey);
    float floatForKey(const QString& key) const; // 0.0 when absent
    void setFloat(float value, const QString& forKey);
    qint64 integerForKey(const QString& key) const; // 0 when absent
    void setInteger(qint64 value, const QString& forKey);

    void removeObjectForKey(const QString& key);

    // Writes pending changes now and reads what other processes wrote. Blocks the caller
    // until written, at most as long as the lock's deadline; on failure the changes stay
    // pending. The window uses synchronizeInBackground instead.
    posix::Status synchronize();
    // The same on the store's own thread; done, when given, runs here with the result.
    void synchronizeInBackground(std::function<void(const posix::Status&)> done = {});

    // Removes every value of the named domain (this application's id) and writes that out.
    void removePersistentDomainForName(const QString& name);

    QStringList allKeys() const;

    // Follows the file while the event loop runs: a value another process changes reaches
    // valueChanged without waiting for the next read.
    void watchFile();

Q_SIGNALS:
    // A key's value was set or removed, here or by another process.
    void valueChanged(const QString& key);

private:
    struct Stamp {
        bool exists = false;
        dev_t dev = 0;
        ino_t ino = 0;
        qint64 size = 0, mtime = 0, ctime = 0;
        friend bool operator==(const Stamp&, const Stamp&) = default;
    };
    // What is written at once: the pending changes, and whether everything else goes.
    struct Changes {
        QMap<QString, std::optional<QVariant>> values; // nullopt: removed
        bool clearAll = false;
        bool isEmpty() const { return values.isEmpty() && !clearAll; }
    };

    static Stamp stampOf(const struct stat& st);
    static posix::Status write(const QString& path, const Changes& changes);
    void refresh() const;
    void changed(const QString& key, const std::optional<QVariant>& value);
    void written(const Changes& changes, const posix::Status& status);
    void scheduleWrite();

    QString path_;
    mutable QVariantMap values_; // what the file held at its last read, with pending applied
    mutable Stamp stamp_;
    mutable bool loaded_ = false;
    Changes pending_;
    bool writeScheduled_ = false;
    QObject* watcher_ = nullptr;
    QThreadPool writer_; // one thread: writes reach the file in the order they were made
};

} // namespace twk::defaults

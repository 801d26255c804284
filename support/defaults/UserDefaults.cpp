#include "support/defaults/UserDefaults.h"

#include "support/defaults/TypedJson.h"
#include "support/environment/ApplicationId.h"
#include "support/environment/BaseDirectories.h"
#include "support/log/SystemLog.h"
#include "support/posix/AtomicFile.h"
#include "support/posix/Fd.h"
#include "support/posix/FolderLock.h"
#include "support/posix/Io.h"
#include "support/text/Conversions.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLoggingCategory>

#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcDefaults, "twk.defaults", QtInfoMsg)

namespace twk::defaults {

using posix::Status;
using posix::Step;

namespace {

constexpr qint64 MaxFileSize = 1 << 20;

std::string native(const QString& path) {
    return text::toNativeBytes(path).toStdString();
}

// Moves a file that cannot be used out of the way under a name no other file has, so that
// nothing the user might want is ever replaced; the log says where it went.
void setAside(const std::string& from, const QString& why) {
    const QString path = text::fromNativeBytes(from);
    const auto aside = posix::setAside(from);
    log::systemLog(aside.ok() ? QStringLiteral("preference file %1 %2; it was moved to %3 and "
                                               "preferences start empty")
                                    .arg(path, why, text::fromNativeBytes(*aside))
                              : QStringLiteral("preference file %1 %2 and could not be moved "
                                               "aside; preferences start empty")
                                    .arg(path, why));
}

// The file's document, or why it could not be read. A file that is not a small regular file
// holding a document is set aside, and reads as an empty one.
posix::Expected<StoreDocument> readFile(const std::string& name, struct stat& st) {
    const posix::Fd fd(::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd.valid()) {
        if (errno == ENOENT)
            return StoreDocument();
        return Status(Step::Reading, errno, name);
    }
    QByteArray bytes;
    QString problem;
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        problem = QStringLiteral("is not a regular file");
    else if (st.st_size > MaxFileSize || !posix::readAll(fd.get(), bytes, MaxFileSize).ok() ||
             bytes.size() > MaxFileSize)
        problem = QStringLiteral("is larger than 1 MiB or cannot be read");
    else if (auto document = parseStore(bytes))
        return std::move(*document);
    else
        problem = QStringLiteral("could not be read");
    setAside(name, problem);
    return StoreDocument();
}

} // namespace

UserDefaults::UserDefaults(const QString& filePath, QObject* parent)
    : QObject(parent), path_(filePath) {
    writer_.setMaxThreadCount(1);
    refresh();
}

UserDefaults::~UserDefaults() {
    writer_.waitForDone();
    if (!pending_.isEmpty())
        (void)synchronize(); // a failure is logged; there is nobody left to tell
}

QString UserDefaults::standardFilePath() {
    return environment::configHome() + u'/' + QLatin1StringView(environment::ApplicationId) +
           QStringLiteral(".conf");
}

UserDefaults& UserDefaults::standardUserDefaults() {
    static UserDefaults* standard = new UserDefaults(standardFilePath());
    static const bool flushAtExit = [] {
        std::atexit([] { (void)standard->synchronize(); }); // logged when it fails
        return true;
    }();
    Q_UNUSED(flushAtExit);
    return *standard;
}

UserDefaults::Stamp UserDefaults::stampOf(const struct stat& st) {
    return {true,
            st.st_dev,
            st.st_ino,
            qint64(st.st_size),
            qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
            qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec};
}

void UserDefaults::refresh() const {
    struct stat st;
    const Stamp now = ::stat(native(path_).c_str(), &st) == 0 ? stampOf(st) : Stamp{};
    if (loaded_ && now == stamp_)
        return;
    if (loaded_)
        qCDebug(lcDefaults) << "preference file" << path_ << "changed: reading it again";
    loaded_ = true;
    struct stat read {};
    auto document = readFile(native(path_), read);
    if (!document.ok())
        log::systemLog(QStringLiteral("preference file %1 cannot be read: %2")
                           .arg(path_, document.status().reason()));
    // One that cannot be read is tried again once it changes, not at every access.
    stamp_ = document.ok() && read.st_ino ? stampOf(read) : now;
    QVariantMap fresh = document.ok() && !pending_.clearAll ? document->values : QVariantMap();
    for (auto it = pending_.values.begin(); it != pending_.values.end(); ++it) {
        if (it.value())
            fresh.insert(it.key(), *it.value());
        else
            fresh.remove(it.key());
    }
    QStringList differing;
    for (auto it = fresh.begin(); it != fresh.end(); ++it) {
        if (values_.value(it.key()) != it.value())
            differing.append(it.key());
    }
    for (auto it = values_.begin(); it != values_.end(); ++it) {
        if (!fresh.contains(it.key()))
            differing.append(it.key());
    }
    values_ = std::move(fresh);
    auto* self = const_cast<UserDefaults*>(this);
    for (const QString& key : differing)
        Q_EMIT self->valueChanged(key);
}

void UserDefaults::changed(const QString& key, const std::optional<QVariant>& value) {
    refresh();
    pending_.values.insert(key, value);
    if (value)
        values_.insert(key, *value);
    else
        values_.remove(key);
    scheduleWrite();
    Q_EMIT valueChanged(key);
}

void UserDefaults::scheduleWrite() {
    if (writeScheduled_)
        return;
    writeScheduled_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            writeScheduled_ = false;
            synchronizeInBackground();
        },
        Qt::QueuedConnection);
}

Status UserDefaults::write(const QString& path, const Changes& changes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    // A link to the file (a managed dotfile) is kept: the file it points to is replaced.
    std::string target = native(path);
    if (char* resolved = ::realpath(target.c_str(), nullptr)) {
        target = resolved;
        std::free(resolved);
    }
    const std::string folder = target.substr(0, target.rfind('/') + 1);
    const auto lock = posix::FolderLock::take(folder.empty() ? std::string(".") : folder);
    if (!lock.ok())
        return lock.status();
    // Under the lock: what others wrote meanwhile, with our changes on top. A file that
    // exists but cannot be read is never replaced: what it holds is not ours to drop.
    struct stat st;
    auto document = readFile(target, st);
    if (!document.ok())
        return document.status();
    if (changes.clearAll)
        document->values.clear();
    for (auto it = changes.values.begin(); it != changes.values.end(); ++it) {
        if (it.value())
            document->values.insert(it.key(), *it.value());
        else
            document->values.remove(it.key());
    }
    return posix::replaceFile(target, serializeStore(*document));
}

void UserDefaults::written(const Changes& changes, const Status& status) {
    if (!status.ok()) {
        log::systemLog(
            QStringLiteral("preferences could not be saved to %1: %2").arg(path_, status.reason()));
        return; // they stay pending
    }
    // What changed again while the write was under way is still to be written.
    for (auto it = changes.values.begin(); it != changes.values.end(); ++it) {
        const auto now = pending_.values.constFind(it.key());
        if (now != pending_.values.constEnd() && *now == *it)
            pending_.values.erase(now);
    }
    if (changes.clearAll)
        pending_.clearAll = false;
    loaded_ = false;
    refresh();
}

Status UserDefaults::synchronize() {
    // Writes started earlier reach the file first: a later write must not be overtaken by an
    // older one.
    writer_.waitForDone();
    if (pending_.isEmpty()) {
        refresh();
        return {};
    }
    const Changes changes = pending_;
    const Status status = write(path_, changes);
    written(changes, status);
    return status;
}

void UserDefaults::synchronizeInBackground(std::function<void(const Status&)> done) {
    if (pending_.isEmpty()) {
        refresh();
        if (done)
            done({});
        return;
    }
    writer_.start([this, path = path_, changes = pending_, done = std::move(done)] {
        const Status status = write(path, changes);
        QMetaObject::invokeMethod(
            this,
            [this, changes, status, done] {
                written(changes, status);
                if (done)
                    done(status);
            },
            Qt::QueuedConnection);
    });
}

std::optional<QVariant> UserDefaults::objectForKey(const QString& key) const {
    refresh();
    const auto found = values_.constFind(key);
    if (found == values_.constEnd() || found->metaType() == QMetaType::fromType<UnknownValue>())
        return std::nullopt;
    return *found;
}

void UserDefaults::setObject(const QVariant& value, const QString& forKey) {
    if (!value.isValid()) {
        removeObjectForKey(forKey);
        return;
    }
    changed(forKey, value);
}

bool UserDefaults::boolForKey(const QString& key) const {
    const QVariant value = objectForKey(key).value_or(QVariant());
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return false;
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::QString: {
        const QString text = value.toString().trimmed();
        if (text.compare(u"yes", Qt::CaseInsensitive) == 0 ||
            text.compare(u"true", Qt::CaseInsensitive) == 0)
            return true;
        return text.toLongLong() != 0;
    }
    default:
        return value.toDouble() != 0.0;
    }
}

void UserDefaults::setBool(bool value, const QString& forKey) {
    setObject(QVariant(value), forKey);
}

float UserDefaults::floatForKey(const QString& key) const {
    return objectForKey(key).value_or(QVariant()).toFloat();
}

void UserDefaults::setFloat(float value, const QString& forKey) {
    setObject(QVariant(value), forKey);
}

qint64 UserDefaults::integerForKey(const QString& key) const {
    const QVariant value = objectForKey(key).value_or(QVariant());
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return 0;
    case QMetaType::Float:
    case QMetaType::Double: {
        const double d = value.toDouble();
        if (!std::isfinite(d))
            return 0;
        return qint64(std::clamp(d, -9.2233720368547758e18, 9.2233720368547748e18));
    }
    case QMetaType::QString:
        return value.toString().trimmed().toLongLong();
    default:
        return value.toLongLong();
    }
}

void UserDefaults::setInteger(qint64 value, const QString& forKey) {
    setObject(QVariant(value), forKey);
}

void UserDefaults::removeObjectForKey(const QString& key) {
    changed(key, std::nullopt);
}

void UserDefaults::removePersistentDomainForName(const QString& name) {
    if (name != QLatin1StringView(environment::ApplicationId))
        return;
    refresh();
    const QStringList keys = values_.keys();
    pending_ = {{}, true};
    values_.clear();
    for (const QString& key : keys)
        Q_EMIT valueChanged(key);
    (void)synchronize(); // logged when it fails, and kept pending
}

QStringList UserDefaults::allKeys() const {
    refresh();
    QStringList keys;
    for (auto it = values_.begin(); it != values_.end(); ++it) {
        if (it->metaType() != QMetaType::fromType<UnknownValue>())
            keys.append(it.key());
    }
    return keys;
}

void UserDefaults::watchFile() {
    if (watcher_)
        return;
    auto* watcher = new QFileSystemWatcher(this);
    watcher_ = watcher;
    QDir().mkpath(QFileInfo(path_).absolutePath());
    watcher->addPath(QFileInfo(path_).absolutePath());
    connect(watcher, &QFileSystemWatcher::directoryChanged, this, [this] { refresh(); });
}

} // namespace twk::defaults

#include "support/defaults/UserDefaults.h"

#include "support/environment/BaseDirectories.h"
#include "support/log/SystemLog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcDefaults, "twk.defaults", QtInfoMsg)

namespace twk::defaults {
namespace {

template <typename F> QString floatText(F value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

template <typename F> std::optional<F> parseFloat(const QString& text) {
    const QByteArray latin = text.toLatin1();
    F value{};
    const char* begin = latin.constData();
    const char* end = begin + latin.size();
    // from_chars does not take a leading "-" for nan; handle the sign ourselves.
    bool negative = false;
    if (begin != end && *begin == '-') {
        negative = true;
        ++begin;
    }
    const auto result = std::from_chars(begin, end, value);
    if (result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return negative ? -value : value;
}

QJsonValue encode(const QVariant& value);

QJsonObject encodeMap(const QVariantMap& map) {
    QJsonObject object;
    for (auto it = map.begin(); it != map.end(); ++it) {
        const QJsonValue v = encode(it.value());
        if (!v.isUndefined())
            object.insert(it.key(), v);
    }
    return object;
}

QJsonValue encode(const QVariant& value) {
    auto tagged = [](const char* tag, const QJsonValue& v) {
        return QJsonObject{{QLatin1String(tag), v}};
    };
    switch (value.typeId()) {
    case QMetaType::Bool:
        return tagged("bool", value.toBool());
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::SChar:
        return tagged("integer", QString::number(value.toLongLong()));
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return tagged("unsigned", QString::number(value.toULongLong()));
    case QMetaType::Float:
        return tagged("float", floatText(value.toFloat()));
    case QMetaType::Double:
        return tagged("double", floatText(value.toDouble()));
    case QMetaType::QString:
        return tagged("string", value.toString());
    case QMetaType::QByteArray:
        return tagged("data", QString::fromLatin1(value.toByteArray().toBase64()));
    case QMetaType::QDateTime: {
        const QDateTime date = value.toDateTime();
        if (!date.isValid())
            return QJsonValue(QJsonValue::Undefined);
        return tagged("date", date.toUTC().toString(Qt::ISODateWithMs));
    }
    case QMetaType::QVariantMap:
        return tagged("dictionary", encodeMap(value.toMap()));
    case QMetaType::QVariantHash: {
        QVariantMap map;
        const QVariantHash hash = value.toHash();
        for (auto it = hash.begin(); it != hash.end(); ++it)
            map.insert(it.key(), it.value());
        return tagged("dictionary", encodeMap(map));
    }
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        QJsonArray array;
        for (const QVariant& item : value.toList()) {
            const QJsonValue v = encode(item);
            if (!v.isUndefined())
                array.append(v);
        }
        return tagged("array", array);
    }
    default:
        if (value.canConvert<QString>())
            return tagged("string", value.toString());
        return QJsonValue(QJsonValue::Undefined);
    }
}

// Decodes one typed value. nullopt means the value's shape is wrong (a damaged file);
// an invalid QVariant means a kind this version does not know, which is skipped.
std::optional<QVariant> decode(const QJsonValue& json) {
    if (!json.isObject())
        return std::nullopt;
    const QJsonObject object = json.toObject();
    if (object.size() != 1)
        return std::nullopt;
    const QString tag = object.begin().key();
    const QJsonValue v = object.begin().value();
    bool ok = false;
    if (tag == u"bool" && v.isBool())
        return QVariant(v.toBool());
    if (tag == u"integer" && v.isString()) {
        const qint64 n = v.toString().toLongLong(&ok);
        return ok ? std::optional<QVariant>(QVariant(n)) : std::nullopt;
    }
    if (tag == u"unsigned" && v.isString()) {
        const quint64 n = v.toString().toULongLong(&ok);
        return ok ? std::optional<QVariant>(QVariant(n)) : std::nullopt;
    }
    if (tag == u"float" && v.isString()) {
        const auto f = parseFloat<float>(v.toString());
        return f ? std::optional<QVariant>(QVariant(*f)) : std::nullopt;
    }
    if (tag == u"double" && v.isString()) {
        const auto d = parseFloat<double>(v.toString());
        return d ? std::optional<QVariant>(QVariant(*d)) : std::nullopt;
    }
    if (tag == u"string" && v.isString())
        return QVariant(v.toString());
    if (tag == u"data" && v.isString())
        return QVariant(QByteArray::fromBase64(v.toString().toLatin1()));
    if (tag == u"date" && v.isString()) {
        const QDateTime date = QDateTime::fromString(v.toString(), Qt::ISODateWithMs);
        return date.isValid() ? std::optional<QVariant>(QVariant(date)) : std::nullopt;
    }
    if (tag == u"dictionary" && v.isObject()) {
        QVariantMap map;
        const QJsonObject entries = v.toObject();
        for (auto it = entries.begin(); it != entries.end(); ++it) {
            const auto item = decode(it.value());
            if (!item)
                return std::nullopt;
            if (item->isValid())
                map.insert(it.key(), *item);
        }
        return QVariant(map);
    }
    if (tag == u"array" && v.isArray()) {
        QVariantList list;
        for (const QJsonValue& element : v.toArray()) {
            const auto item = decode(element);
            if (!item)
                return std::nullopt;
            if (item->isValid())
                list.append(*item);
        }
        return QVariant(list);
    }
    if (tag == u"bool" || tag == u"integer" || tag == u"unsigned" || tag == u"float" ||
        tag == u"double" || tag == u"string" || tag == u"data" || tag == u"date" ||
        tag == u"dictionary" || tag == u"array")
        return std::nullopt; // a known kind with the wrong shape
    return QVariant();
}

constexpr QLatin1StringView ValuesKey("values");

bool parseStore(const QByteArray& bytes, QVariantMap& map) {
    if (bytes.trimmed().isEmpty())
        return true; // a new, empty file
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return false;
    const QJsonValue values = document.object().value(ValuesKey);
    if (!values.isObject())
        return false;
    const QJsonObject entries = values.toObject();
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        const auto value = decode(it.value());
        if (!value)
            return false;
        if (value->isValid())
            map.insert(it.key(), *value);
    }
    return true;
}

QByteArray serialize(const QVariantMap& values) {
    QJsonObject entries;
    for (auto it = values.begin(); it != values.end(); ++it) {
        const QJsonValue v = encode(it.value());
        if (!v.isUndefined())
            entries.insert(it.key(), v);
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("values"), entries}})
        .toJson(QJsonDocument::Indented);
}

constexpr qint64 MaxFileSize = 1 << 20;

// Reads a whole descriptor, stopping once it holds more than limit bytes.
bool readAll(int fd, QByteArray& bytes, qint64 limit) {
    char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            return true;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.append(buffer, n);
        if (bytes.size() > limit)
            return true;
    }
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno != EINTR)
            return false;
        done += n > 0 ? n : 0;
    }
    return true;
}

QString errorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Holds an exclusive lock on a folder while it lives (the writers of one file agree on it).
class FolderLock {
public:
    explicit FolderLock(const QByteArray& folder)
        : fd_(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ >= 0)
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
    }
    ~FolderLock() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_;
};

} // namespace

QDateTime distantPast() {
    return QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC);
}

UserDefaults::UserDefaults(const QString& filePath, QObject* parent)
    : QObject(parent), path_(filePath) {
    refresh();
}

UserDefaults::~UserDefaults() {
    if (!pending_.isEmpty() || clearPending_)
        writeOut();
}

QString UserDefaults::standardFilePath() {
    return environment::configHome() + u'/' + QLatin1StringView(ApplicationId) +
           QStringLiteral(".conf");
}

UserDefaults& UserDefaults::standardUserDefaults() {
    static UserDefaults* standard = new UserDefaults(standardFilePath());
    static const bool flushAtExit = [] {
        std::atexit([] { standard->synchronize(); });
        return true;
    }();
    Q_UNUSED(flushAtExit);
    return *standard;
}

void UserDefaults::setAside(const QString& why) const {
    const QString aside =
        path_ + QStringLiteral(".damaged-") +
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    const bool moved =
        ::rename(QFile::encodeName(path_).constData(), QFile::encodeName(aside).constData()) == 0;
    log::systemLog(moved ? QStringLiteral("preference file %1 %2; it was moved to %3 and "
                                          "preferences start empty")
                               .arg(path_, why, aside)
                         : QStringLiteral("preference file %1 %2 and could not be moved aside; "
                                          "preferences start empty")
                               .arg(path_, why));
}

QVariantMap UserDefaults::readFile(Stamp& stamp) const {
    stamp = {};
    QVariantMap values;
    const QByteArray path = QFile::encodeName(path_);
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (errno != ENOENT)
            log::systemLog(QStringLiteral("preference file %1 cannot be read: %2")
                               .arg(path_, errorText(errno)));
        return values;
    }
    struct stat st;
    QByteArray bytes;
    QString problem;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        problem = QStringLiteral("is not a regular file");
    else if (st.st_size > MaxFileSize || !readAll(fd, bytes, MaxFileSize) ||
             bytes.size() > MaxFileSize)
        problem = QStringLiteral("is larger than 1 MiB or cannot be read");
    else if (!parseStore(bytes, values))
        problem = QStringLiteral("could not be read");
    ::close(fd);
    if (!problem.isEmpty()) {
        setAside(problem);
        return {};
    }
    stamp = stampOf(st);
    return values;
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
    const Stamp now =
        ::stat(QFile::encodeName(path_).constData(), &st) == 0 ? stampOf(st) : Stamp{};
    if (loaded_ && now == stamp_)
        return;
    if (loaded_)
        qCDebug(lcDefaults) << "preference file" << path_ << "changed: reading it again";
    loaded_ = true;
    QVariantMap fresh = readFile(stamp_);
    if (!stamp_.exists)
        stamp_ = now; // one that cannot be read is tried again once it changes, not every time
    if (clearPending_)
        fresh.clear();
    for (auto it = pending_.begin(); it != pending_.end(); ++it) {
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
    pending_.insert(key, value);
    if (value)
        values_.insert(key, *value);
    else
        values_.remove(key);
    if (!writeScheduled_) {
        writeScheduled_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                writeScheduled_ = false;
                if (!pending_.isEmpty() || clearPending_)
                    writeOut();
            },
            Qt::QueuedConnection);
    }
    Q_EMIT valueChanged(key);
}

bool UserDefaults::writeOut() {
    const QFileInfo file(path_);
    QDir().mkpath(file.absolutePath());
    // A link to the file (a managed dotfile) is kept: the file it points to is replaced.
    QByteArray target = QFile::encodeName(path_);
    if (char* resolved = ::realpath(target.constData(), nullptr)) {
        target = resolved;
        std::free(resolved);
    }
    const QByteArray folder = target.left(target.lastIndexOf('/') + 1);
    const FolderLock lock(folder.isEmpty() ? QByteArray(".") : folder);

    Stamp stamp;
    QVariantMap merged = clearPending_ ? QVariantMap() : readFile(stamp);
    for (auto it = pending_.begin(); it != pending_.end(); ++it) {
        if (it.value())
            merged.insert(it.key(), *it.value());
        else
            merged.remove(it.key());
    }
    QByteArray temporary = target + ".XXXXXX";
    int error = 0;
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        error = errno;
    } else {
        if (!writeAll(fd, serialize(merged)) || ::fchmod(fd, 0600) != 0 || ::fsync(fd) != 0)
            error = errno;
        if (::close(fd) != 0 && !error)
            error = errno;
        if (!error && ::rename(temporary.constData(), target.constData()) != 0)
            error = errno;
        if (error)
            ::unlink(temporary.constData());
    }
    if (error) {
        lastError_ = errorText(error);
        log::systemLog(
            QStringLiteral("preferences could not be saved to %1: %2").arg(path_, lastError_));
        Q_EMIT writeFailed(lastError_);
        return false;
    }
    lastError_.clear();
    pending_.clear();
    clearPending_ = false;
    loaded_ = false;
    refresh();
    return true;
}

std::optional<QVariant> UserDefaults::objectForKey(const QString& key) const {
    refresh();
    const auto found = values_.constFind(key);
    if (found == values_.constEnd())
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

bool UserDefaults::synchronize() {
    if (pending_.isEmpty() && !clearPending_) {
        refresh();
        return true;
    }
    return writeOut();
}

void UserDefaults::removePersistentDomainForName(const QString& name) {
    if (name != QLatin1StringView(ApplicationId))
        return;
    refresh();
    const QStringList keys = values_.keys();
    pending_.clear();
    clearPending_ = true;
    values_.clear();
    for (const QString& key : keys)
        Q_EMIT valueChanged(key);
    writeOut();
}

QStringList UserDefaults::allKeys() const {
    refresh();
    return values_.keys();
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

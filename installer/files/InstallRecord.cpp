#include "installer/files/InstallRecord.h"

#include "support/log/SystemLog.h"
#include "support/posix/AtomicFile.h"
#include "support/posix/FolderLock.h"
#include "support/posix/Io.h"
#include "support/posix/MakeFolders.h"
#include "support/text/Conversions.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>

namespace twk::files {
namespace {

constexpr qint64 MaxRecordSize = 256 << 20;
constexpr int FormatVersion = 1;

QJsonObject stampJson(const Stamp& stamp) {
    return {{QStringLiteral("stamp"), stamp.digest.hex()},
            {QStringLiteral("newest"), QString::number(stamp.newest)},
            {QStringLiteral("taken"), QString::number(stamp.taken)},
            {QStringLiteral("coarse"), stamp.coarse}};
}

std::optional<Stamp> stampFrom(const QJsonValue& json) {
    const QJsonObject object = json.toObject();
    const auto digest = Digest::fromHex(object.value(QLatin1String("stamp")).toString());
    bool newestOk = false, takenOk = false;
    const qint64 newest = object.value(QLatin1String("newest")).toString().toLongLong(&newestOk);
    const qint64 taken = object.value(QLatin1String("taken")).toString().toLongLong(&takenOk);
    if (!digest || !newestOk || !takenOk)
        return std::nullopt;
    return Stamp{*digest, newest, taken, object.value(QLatin1String("coarse")).toBool()};
}

const QStringList KnownMembers{"name", "content", "installed", "source", "files"};

// Paths are bytes: written in base64, as names are.
QJsonObject filesJson(const BaseFiles& files) {
    QJsonObject object;
    for (const auto& [path, digest] : files)
        object.insert(QString::fromLatin1(QByteArray::fromStdString(path).toBase64()),
                      digest.hex());
    return object;
}

std::optional<BaseFiles> filesFrom(const QJsonValue& json) {
    BaseFiles files;
    if (json.isUndefined())
        return files; // written by a version that kept no bases
    const QJsonObject object = json.toObject();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const auto path = QByteArray::fromBase64Encoding(it.key().toLatin1(),
                                                         QByteArray::AbortOnBase64DecodingErrors);
        const auto digest = Digest::fromHex(it.value().toString());
        if (!path || !digest)
            return std::nullopt;
        files[path.decoded.toStdString()] = *digest;
    }
    return files;
}

QJsonObject entryJson(const RecordEntry& entry) {
    QJsonObject object = entry.unknown;
    object.insert(QStringLiteral("name"), QString::fromLatin1(entry.name.toBase64()));
    object.insert(QStringLiteral("content"), entry.content.hex());
    object.insert(QStringLiteral("installed"), stampJson(entry.installed));
    object.insert(QStringLiteral("source"), stampJson(entry.source));
    if (!entry.files.empty())
        object.insert(QStringLiteral("files"), filesJson(entry.files));
    return object;
}

std::optional<RecordEntry> entryFrom(const QJsonValue& json) {
    const QJsonObject object = json.toObject();
    const auto name =
        QByteArray::fromBase64Encoding(object.value(QLatin1String("name")).toString().toLatin1(),
                                       QByteArray::AbortOnBase64DecodingErrors);
    const auto content = Digest::fromHex(object.value(QLatin1String("content")).toString());
    const auto installed = stampFrom(object.value(QLatin1String("installed")));
    const auto source = stampFrom(object.value(QLatin1String("source")));
    const auto files = filesFrom(object.value(QLatin1String("files")));
    if (!name || name.decoded.isEmpty() || !content || !installed || !source || !files)
        return std::nullopt;
    RecordEntry entry{name.decoded, *content, *installed, *source, object, *files};
    for (const QString& member : KnownMembers)
        entry.unknown.remove(member);
    return entry;
}

// The record's file as it is now: its entries, and what else its object holds.
struct RecordFile {
    std::map<QByteArray, RecordEntry> entries;
    QJsonObject others;
};

std::optional<RecordFile> parse(const QByteArray& bytes) {
    RecordFile file;
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    if (!document.isObject())
        return std::nullopt;
    file.others = document.object();
    const QJsonValue scripts = file.others.take(QLatin1String("scripts"));
    if (!scripts.isArray())
        return std::nullopt;
    for (const QJsonValue& value : scripts.toArray()) {
        auto entry = entryFrom(value);
        if (!entry)
            return std::nullopt;
        file.entries[entry->name] = std::move(*entry);
    }
    return file;
}

QByteArray serialize(const RecordFile& file) {
    QJsonObject object = file.others;
    QJsonArray scripts;
    for (const auto& [name, entry] : file.entries)
        scripts.append(entryJson(entry));
    object.insert(QStringLiteral("version"), FormatVersion);
    object.insert(QStringLiteral("scripts"), scripts);
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

// Reads the record file. A missing one is empty; a damaged one is set aside and read as
// empty; one that cannot be read is a failure.
Expected<RecordFile> readFile(const std::string& path) {
    const Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!fd.valid())
        return errno == ENOENT ? Expected<RecordFile>(RecordFile())
                               : Status(Step::Reading, errno, path);
    QByteArray bytes;
    struct stat st;
    if (::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size <= MaxRecordSize) {
        if (Status read = posix::readAll(fd.get(), bytes, MaxRecordSize); !read.ok())
            return read.as(Step::Reading, path);
        if (auto file = parse(bytes))
            return std::move(*file);
    }
    const auto aside = posix::setAside(path);
    log::systemLog(QStringLiteral("the install record %1 is damaged; it was moved to %2 and "
                                  "the installer starts without one")
                       .arg(text::fromNativeBytes(path),
                            aside.ok() ? text::fromNativeBytes(*aside) : QStringLiteral("?")));
    return RecordFile();
}

void logOnce(const Status& status) {
    static std::atomic<bool> logged{false};
    if (!logged.exchange(true))
        log::systemLog(QStringLiteral("the install record cannot be kept: %1; edits are told "
                                      "from updates by comparing contents")
                           .arg(status.description()));
}

} // namespace

std::string recordPath(const std::string& stateFolder) {
    return stateFolder + "/installed.json";
}

void RecordChanges::add(const RecordChanges& more) {
    for (const auto& [name, entry] : more.entries)
        entries[name] = entry;
}

InstallRecord InstallRecord::read(const std::string& stateFolder) {
    InstallRecord record;
    auto file = readFile(recordPath(stateFolder));
    if (!file.ok()) {
        record.problem_ = file.status();
        logOnce(record.problem_);
        return record;
    }
    record.entries_ = std::move(file->entries);
    return record;
}

const RecordEntry* InstallRecord::find(const QByteArray& name) const {
    const auto found = entries_.find(name);
    return found == entries_.end() ? nullptr : &found->second;
}

QList<QByteArray> InstallRecord::names() const {
    QList<QByteArray> names;
    for (const auto& [name, entry] : entries_)
        names.append(name);
    return names;
}

Status writeRecordChanges(const std::string& stateFolder, const RecordChanges& changes) {
    if (changes.isEmpty())
        return {};
    auto write = [&]() -> Status {
        if (Status made = posix::makeFolders(stateFolder); !made.ok())
            return made;
        const auto lock = posix::FolderLock::take(stateFolder);
        if (!lock.ok())
            return lock.status();
        auto file = readFile(recordPath(stateFolder));
        if (!file.ok())
            return file.status();
        for (const auto& [name, entry] : changes.entries) {
            if (entry)
                file->entries[name] = *entry;
            else
                file->entries.erase(name);
        }
        if (Status replaced = posix::replaceFile(recordPath(stateFolder), serialize(*file));
            !replaced.ok())
            return replaced;
        std::set<QString> used;
        for (const auto& [name, entry] : file->entries) {
            for (const auto& [path, digest] : entry.files)
                used.insert(digest.hex());
        }
        BaseStore(stateFolder).dropUnused(used);
        return Status();
    };
    const Status written = write();
    if (!written.ok())
        logOnce(written);
    return written;
}

} // namespace twk::files

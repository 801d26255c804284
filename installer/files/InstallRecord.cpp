#include "installer/files/InstallRecord.h"

#include "support/log/SystemLog.h"
#include "support/posix/AtomicFile.h"
#include "support/posix/FolderLock.h"
#include "support/posix/Io.h"
#include "support/posix/MakeFolders.h"
#include "support/text/Conversions.h"

#include <QCborArray>
#include <QCborStreamReader>
#include <QCborValue>
#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>

namespace twk::files {
namespace {

constexpr qint64 MaxRecordSize = 256 << 20;
constexpr qint64 FormatVersion = 1;

// An entry's members, by number: compact, and read without looking up names.
enum Member : qint64 {
    NameMember = 0,
    ContentMember = 1,
    InstalledMember = 2,
    SourceMember = 3,
    FilesMember = 4, // each leaf's path (bytes) and digest; the texts among them are the bases
    PendingMember = 5,
};

// A digest is two integers (its halves' bits as signed numbers): read with no allocation.
void appendDigest(QCborArray& array, const Digest& digest) {
    array.append(qint64(digest.high));
    array.append(qint64(digest.low));
}

QCborArray stampCbor(const Stamp& stamp) {
    QCborArray array;
    appendDigest(array, stamp.digest);
    array.append(stamp.newest);
    array.append(stamp.taken);
    array.append(stamp.coarse);
    return array;
}

QCborArray contentCbor(const Digest& digest) {
    QCborArray array;
    appendDigest(array, digest);
    return array;
}

QCborMap entryCbor(const RecordEntry& entry) {
    QCborMap map = entry.unknown;
    map.insert(NameMember, entry.name);
    map.insert(ContentMember, contentCbor(entry.content));
    map.insert(InstalledMember, stampCbor(entry.installed));
    map.insert(SourceMember, stampCbor(entry.source));
    if (!entry.files.empty()) {
        QCborMap files;
        for (const auto& [path, digest] : entry.files)
            files.insert(QCborValue(QByteArray::fromStdString(path)), contentCbor(digest));
        map.insert(FilesMember, files);
    }
    if (entry.pending)
        map.insert(PendingMember, contentCbor(*entry.pending));
    return map;
}

// The record's file as it is now: its entries, and what else its map holds.
struct RecordFile {
    QHash<QByteArray, RecordEntry> entries;
    QCborMap others;
};

const QString VersionKey = QStringLiteral("version");
const QString ScriptsKey = QStringLiteral("scripts");

// The parts of an entry, read as they stream by (one small allocation each at most); a part
// of no known kind is kept whole.
std::optional<QByteArray> readBytes(QCborStreamReader& reader) {
    if (!reader.isByteArray())
        return std::nullopt;
    QByteArray bytes;
    auto chunk = reader.readByteArray();
    for (; chunk.status == QCborStreamReader::Ok; chunk = reader.readByteArray())
        bytes += chunk.data;
    return chunk.status == QCborStreamReader::EndOfString ? std::optional(bytes) : std::nullopt;
}

std::optional<qint64> readInteger(QCborStreamReader& reader) {
    if (!reader.isInteger())
        return std::nullopt;
    const qint64 value = reader.toInteger();
    reader.next();
    return value;
}

std::optional<Digest> readDigest(QCborStreamReader& reader) {
    const auto high = readInteger(reader);
    const auto low = readInteger(reader);
    if (!high || !low)
        return std::nullopt;
    return Digest{quint64(*high), quint64(*low)};
}

// A container's remaining elements, skipped, and the container left.
bool leave(QCborStreamReader& reader) {
    while (reader.hasNext() && reader.next()) {
    }
    return reader.leaveContainer();
}

bool readStamp(QCborStreamReader& reader, Stamp& stamp) {
    if (!reader.isArray() || !reader.enterContainer())
        return false;
    const auto digest = readDigest(reader);
    const auto newest = readInteger(reader);
    const auto taken = readInteger(reader);
    if (!digest || !newest || !taken)
        return false;
    stamp = {*digest, *newest, *taken, reader.isTrue()};
    return leave(reader);
}

bool readContent(QCborStreamReader& reader, Digest& content) {
    if (!reader.isArray() || !reader.enterContainer())
        return false;
    const auto digest = readDigest(reader);
    content = digest.value_or(Digest());
    return leave(reader) && digest;
}

// Written by a version that kept no bases: none.
bool readFiles(QCborStreamReader& reader, BaseFiles& files) {
    if (!reader.isMap() || !reader.enterContainer())
        return false;
    while (reader.hasNext() && reader.lastError() == QCborError::NoError) {
        const auto path = readBytes(reader);
        Digest digest;
        if (!path || !readContent(reader, digest))
            return false;
        files[path->toStdString()] = digest;
    }
    return reader.leaveContainer();
}

std::optional<RecordEntry> readEntry(QCborStreamReader& reader) {
    if (!reader.isMap() || !reader.enterContainer())
        return std::nullopt;
    RecordEntry entry{{}, {}, {}, {}};
    bool content = false, installed = false, source = false, files = true, pending = true;
    while (reader.hasNext() && reader.lastError() == QCborError::NoError) {
        const std::optional<qint64> member = readInteger(reader);
        if (member == NameMember) {
            entry.name = readBytes(reader).value_or(QByteArray());
        } else if (member == ContentMember) {
            content = readContent(reader, entry.content);
        } else if (member == InstalledMember) {
            installed = readStamp(reader, entry.installed);
        } else if (member == SourceMember) {
            source = readStamp(reader, entry.source);
        } else if (member == FilesMember) {
            files = readFiles(reader, entry.files);
        } else if (member == PendingMember) {
            entry.pending.emplace();
            pending = readContent(reader, *entry.pending);
        } else if (member) {
            entry.unknown.insert(*member, QCborValue::fromCbor(reader));
        } else {
            const QCborValue key = QCborValue::fromCbor(reader);
            entry.unknown.insert(key, QCborValue::fromCbor(reader));
        }
    }
    if (!reader.leaveContainer() || entry.name.isEmpty() || !content || !installed || !source ||
        !files || !pending)
        return std::nullopt;
    return entry;
}

// Absent when the bytes are no record; newer tells a record of a newer version's format.
// Streamed, not built into a document first: it is read at every look at the scripts.
std::optional<RecordFile> parse(const QByteArray& bytes, bool& newer) {
    QCborStreamReader reader(bytes);
    RecordFile file;
    bool scripts = false;
    if (!reader.isMap() || !reader.enterContainer())
        return std::nullopt;
    while (reader.hasNext() && reader.lastError() == QCborError::NoError) {
        const QCborValue key = QCborValue::fromCbor(reader);
        if (key.toString() != ScriptsKey) {
            file.others.insert(key, QCborValue::fromCbor(reader));
            continue;
        }
        if (!reader.isArray() || !reader.enterContainer())
            return std::nullopt;
        while (reader.hasNext()) {
            auto entry = readEntry(reader);
            if (!entry)
                return std::nullopt;
            file.entries.insert(entry->name, std::move(*entry));
        }
        scripts = reader.leaveContainer();
    }
    newer = file.others.value(VersionKey).toInteger(FormatVersion) > FormatVersion;
    if (!reader.leaveContainer() || reader.lastError() != QCborError::NoError || newer || !scripts)
        return std::nullopt;
    return file;
}

QByteArray serialize(const RecordFile& file) {
    QCborMap map = file.others;
    QCborArray scripts;
    QList<QByteArray> names = file.entries.keys();
    std::sort(names.begin(), names.end()); // the same record, the same bytes
    for (const QByteArray& name : names)
        scripts.append(entryCbor(file.entries.value(name)));
    map.insert(VersionKey, FormatVersion);
    map.insert(ScriptsKey, scripts);
    return map.toCborValue().toCbor();
}

// Reads the record file. A missing one is empty; a damaged one is set aside and read as
// empty; one that cannot be read, or that a newer version wrote, is a failure (and is left
// as it is: what this version cannot read is not its to drop).
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
        bool newer = false;
        if (auto file = parse(bytes, newer))
            return std::move(*file);
        if (newer)
            return Status(Step::Reading, EPROTO, path,
                          QCoreApplication::translate("Status", "a newer version wrote it"));
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
    return stateFolder + "/installed.cbor";
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
    const auto found = entries_.constFind(name);
    return found == entries_.constEnd() ? nullptr : &found.value();
}

QList<QByteArray> InstallRecord::names() const {
    return entries_.keys();
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
                file->entries.insert(name, *entry);
            else
                file->entries.remove(name);
        }
        if (Status replaced = posix::replaceFile(recordPath(stateFolder), serialize(*file));
            !replaced.ok())
            return replaced;
        std::set<QString> used;
        for (const RecordEntry& entry : std::as_const(file->entries)) {
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

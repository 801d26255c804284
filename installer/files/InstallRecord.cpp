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
        bytes.reserve(qsizetype(st.st_size) + 1); // read in one go, however the pieces come
        if (Status read = posix::readAll(fd.get(), bytes, MaxRecordSize); !read.ok())
            return read.as(Step::Reading, path);
        bool newer = false;
        if (auto file = decodeRecord(bytes, newer))
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
        if (Status replaced = posix::replaceFile(recordPath(stateFolder), encodeRecord(*file));
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

#include "installer/files/BaseStore.h"

#include "installer/files/TextDiff.h"
#include "support/log/SystemLog.h"
#include "support/posix/Io.h"
#include "support/posix/MakeFolders.h"
#include "support/text/Conversions.h"

#include <QRandomGenerator>
#include <QtEndian>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/uio.h>
#include <thread>
#include <unistd.h>

namespace twk::files {
namespace {

// How long a base no record names is left for the install that kept it to name it.
constexpr time_t GraceSeconds = 10 * 60;

void logOnce(const Status& status) {
    static std::atomic<bool> logged{false};
    if (!logged.exchange(true))
        log::systemLog(QStringLiteral("the installed versions of scripts cannot be kept: %1; "
                                      "those scripts cannot be merged later")
                           .arg(status.description()));
}

// A pack: this tag, then each base as its header and its bytes.
constexpr char PackMagic[8] = {'T', 'W', 'K', 'B', 'A', 'S', 'E', '1'};
constexpr char PackSuffix[] = ".pack";

// A base's header in a pack: its digest and its size, little-endian.
struct PackHeader {
    quint64 high, low, size;
};

PackHeader headerFor(const Digest& digest, quint64 size) {
    return {qToLittleEndian(digest.high), qToLittleEndian(digest.low), qToLittleEndian(size)};
}

bool isPackName(const std::string& name) {
    return name.size() > sizeof PackSuffix &&
           name.compare(name.size() - (sizeof PackSuffix - 1), std::string::npos, PackSuffix) == 0;
}

std::string newPackName() {
    return QByteArray::number(QRandomGenerator::system()->generate64(), 16).toStdString() +
           PackSuffix;
}

// Calls found(digest, offset of its bytes, size) for each whole base of the pack, in order;
// stops at the first that is cut short (a run that ended while it appended, a full disk).
void forEachBase(int pack, const std::function<void(const Digest&, off_t, quint64)>& found) {
    char magic[sizeof PackMagic];
    struct stat st;
    if (pack < 0 || ::fstat(pack, &st) != 0 || !S_ISREG(st.st_mode) ||
        ::pread(pack, magic, sizeof magic, 0) != ssize_t(sizeof magic) ||
        std::memcmp(magic, PackMagic, sizeof magic) != 0)
        return;
    for (off_t at = sizeof PackMagic; at + off_t(sizeof(PackHeader)) <= st.st_size;) {
        PackHeader header;
        if (::pread(pack, &header, sizeof header, at) != ssize_t(sizeof header))
            return;
        const quint64 size = qFromLittleEndian(header.size);
        at += off_t(sizeof header);
        if (size > quint64(WholeFileLimit) || quint64(st.st_size - at) < size)
            return;
        found({qFromLittleEndian(header.high), qFromLittleEndian(header.low)}, at, size);
        at += off_t(size);
    }
}

// The base at offset in the pack, when its bytes still have its digest.
std::optional<QByteArray> wholeBase(int pack, off_t offset, quint64 size, const Digest& digest) {
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    if (::pread(pack, bytes.data(), size_t(size), offset) != bytes.size() ||
        fileBytesDigest(bytes) != digest)
        return std::nullopt;
    return bytes;
}

// A base kept as a file of its own, as an earlier version kept them: read only when its bytes
// still have its digest.
Expected<QByteArray> looseText(int folder, const std::string& name, const Digest& digest) {
    const Fd fd(::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    QByteArray bytes;
    if (!fd.valid() || !posix::readAll(fd.get(), bytes, WholeFileLimit).ok() ||
        bytes.size() > WholeFileLimit || fileBytesDigest(bytes) != digest)
        return Status(Step::Reading, ENOENT);
    return bytes;
}

} // namespace

BaseStore::BaseStore(const std::string& stateFolder) : folder_(stateFolder + "/bases") {}

int BaseStore::folderFd(bool create) const {
    const std::lock_guard lock(opening_);
    if (!fd_.valid()) {
        fd_ = openFolderPath(folder_);
        if (!fd_.valid() && errno == ENOENT && create && posix::makeFolders(folder_).ok())
            fd_ = openFolderPath(folder_);
    }
    return fd_.get();
}

bool BaseStore::openPack(int folder, Pack& pack) {
    for (int attempt = 0; !pack.fd.valid() && !pack.failed && attempt < 4; ++attempt) {
        pack.name = newPackName();
        pack.fd = Fd(::openat(folder, pack.name.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0600));
        pack.error = errno;
        pack.size = sizeof PackMagic;
        if (pack.fd.valid() && !posix::writeAll(pack.fd.get(), PackMagic, sizeof PackMagic).ok()) {
            pack.error = errno;
            ::unlinkat(folder, pack.name.c_str(), 0);
            pack.fd.reset();
            pack.failed = true;
        }
    }
    pack.failed = !pack.fd.valid();
    errno = pack.error;
    return pack.fd.valid();
}

bool BaseStore::keptAlready(int folder, const Digest& digest) const {
    // Only in a pack written in the last minutes, which no collection takes before this run
    // names the base; and only whole, checked against its digest. Anywhere else, this run keeps
    // a copy of its own.
    const time_t now = ::time(nullptr);
    for (const Place& place : placesOf(folder, digest, false).first) {
        const Fd pack(
            ::openat(folder, place.pack.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat st;
        if (!pack.valid() || ::fstat(pack.get(), &st) != 0 || !S_ISREG(st.st_mode) ||
            now - st.st_mtime >= GraceSeconds / 2)
            continue;
        if (wholeBase(pack.get(), place.offset, place.size, digest))
            return true;
    }
    return false;
}

Status BaseStore::keep(const Digest& digest, const QByteArray& text) {
    const int folder = folderFd(true);
    if (folder < 0)
        return Status(Step::Writing, errno, folder_);
    const Key key(digest.high, digest.low);
    Pack* pack = nullptr;
    {
        const std::lock_guard lock(packing_);
        if (!kept_.insert(key).second)
            return {}; // by this store already
        pack = &packs_[std::this_thread::get_id()];
    }
    auto forget = [&](int error) {
        const std::lock_guard lock(packing_);
        kept_.erase(key);
        return Status(Step::Writing, error, folder_);
    };
    if (keptAlready(folder, digest))
        return {};
    if (!openPack(folder, *pack))
        return forget(pack->error);
    // The thread's own pack: nothing else appends to it, so a base cut short (a full disk) is
    // taken back whole before the next.
    const PackHeader header = headerFor(digest, quint64(text.size()));
    iovec parts[2] = {{const_cast<PackHeader*>(&header), sizeof header},
                      {const_cast<char*>(text.constData()), size_t(text.size())}};
    const ssize_t written = ::writev(pack->fd.get(), parts, 2);
    if (written == ssize_t(sizeof header) + text.size()) {
        pack->size += off_t(written);
        return {};
    }
    const int error = written < 0 ? errno : ENOSPC;
    if (::ftruncate(pack->fd.get(), pack->size) != 0) {
        pack->fd.reset(); // what follows could not be found: nothing more goes there
        pack->failed = true;
        pack->error = error;
    }
    return forget(error);
}

Status BaseStore::flush() {
    const std::lock_guard lock(packing_);
    bool made = false;
    for (auto& [thread, pack] : packs_) {
        if (!pack.fd.valid())
            continue;
        made = made || !pack.named;
        if (::fdatasync(pack.fd.get()) != 0) {
            const Status failed(Step::Flushing, errno, folder_);
            logOnce(failed);
            return failed;
        }
    }
    // The packs' names in the folder, for those made since.
    if (made && ::fsync(folderFd(false)) != 0) {
        const Status failed(Step::Flushing, errno, folder_);
        logOnce(failed);
        return failed;
    }
    for (auto& [thread, pack] : packs_)
        pack.named = pack.named || pack.fd.valid();
    return {};
}

Expected<QByteArray> BaseStore::text(const Digest& digest) const {
    const std::string name = text::toNativeBytes(digest.hex()).toStdString();
    const int folder = folderFd(false);
    if (folder < 0)
        return Status(Step::Reading, errno, folder_ + '/' + name);
    if (auto loose = looseText(folder, name, digest); loose.ok())
        return loose; // kept by an earlier version, one file per base
    // In a pack: where the index says, or, should a collection have moved it meanwhile, where
    // a fresh index says. Any whole copy will do.
    for (int attempt = 0; attempt < 2; ++attempt) {
        for (const Place& place : placesOf(folder, digest, attempt > 0).first) {
            const Fd pack(::openat(folder, place.pack.c_str(),
                                   O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
            if (auto whole = pack.valid() ? wholeBase(pack.get(), place.offset, place.size, digest)
                                          : std::nullopt)
                return *whole;
        }
    }
    return Status(Step::Reading, ENOENT, folder_ + '/' + name);
}

std::pair<std::vector<BaseStore::Place>, bool> BaseStore::placesOf(int folder, const Digest& digest,
                                                                   bool fresh) const {
    const std::lock_guard lock(indexing_);
    if (!index_ || fresh) {
        index_.emplace();
        const auto names = readEntries(folder);
        for (const std::string& name : names.ok() ? *names : std::vector<std::string>()) {
            if (!isPackName(name)) {
                index_->loose.insert(name);
                continue;
            }
            const Fd pack(
                ::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
            forEachBase(pack.get(), [&](const Digest& base, off_t offset, quint64 size) {
                index_->places.emplace(Key(base.high, base.low), Place{name, offset, size});
            });
        }
    }
    std::vector<Place> places;
    const auto [first, last] = index_->places.equal_range(Key(digest.high, digest.low));
    for (auto it = first; it != last; ++it)
        places.push_back(it->second);
    return {places, index_->loose.count(text::toNativeBytes(digest.hex()).toStdString()) > 0};
}

void BaseStore::dropUnused(const std::set<QString>& used) const {
    const int folder = folderFd(false);
    if (folder < 0)
        return;
    auto names = readEntries(folder);
    if (!names.ok())
        return;
    const time_t now = ::time(nullptr);
    std::vector<std::pair<time_t, std::string>> packs;
    bool anyOld = false;
    for (const std::string& name : *names) {
        const bool pack = isPackName(name);
        if (!pack && used.count(QString::fromLatin1(name.data(), qsizetype(name.size()))))
            continue; // the common case, decided without a look at the file
        const auto st = statAt(folder, name);
        if (!st.ok() || !S_ISREG(st->st_mode))
            continue;
        const bool old = now - st->st_mtime >= GraceSeconds;
        if (pack)
            packs.emplace_back(st->st_mtime, name);
        else if (old)
            (void)::unlinkat(folder, name.c_str(), 0); // gone already, or left for next time
        anyOld = anyOld || (pack && old);
    }
    if (!anyOld)
        return; // the packs are all new: nothing of them can go yet
    // Each named base counts in one pack only, the newest that holds it: copies in older packs
    // (a script copied again with the same text) go with their packs.
    std::sort(packs.begin(), packs.end(), std::greater<>());
    std::set<std::pair<quint64, quint64>> held;
    for (const auto& [written, name] : packs) {
        const Fd pack(
            ::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        std::vector<std::pair<off_t, quint64>> kept; // where named bases lie, and their sizes
        quint64 keptBytes = 0, allBytes = 0;
        forEachBase(pack.get(), [&](const Digest& base, off_t offset, quint64 size) {
            allBytes += size;
            if (!used.count(base.hex()) || held.count(Key(base.high, base.low)))
                return;
            // Held only by a copy whose bytes still have its digest: a damaged one holds nothing.
            if (!wholeBase(pack.get(), offset, size, base))
                return;
            held.insert(Key(base.high, base.low));
            kept.emplace_back(offset, size);
            keptBytes += size;
        });
        if (pack.valid() && now - written >= GraceSeconds && keptBytes * 2 <= allBytes)
            collectPack(folder, pack.get(), name, kept); // mostly unnamed
    }
}

void BaseStore::collectPack(int folder, int pack, const std::string& name,
                            const std::vector<std::pair<off_t, quint64>>& kept) const {
    // Looked at again: a run may have written to it since the folder was listed.
    struct stat st;
    if (::fstat(pack, &st) != 0 || ::time(nullptr) - st.st_mtime < GraceSeconds)
        return;
    if (!kept.empty()) {
        // The named ones move to a pack of their own first: each is somewhere at every moment.
        const std::string moved = newPackName();
        const Fd out(
            ::openat(folder, moved.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        bool whole = out.valid() && posix::writeAll(out.get(), PackMagic, sizeof PackMagic).ok();
        for (const auto& [offset, size] : kept) {
            const off_t start = offset - off_t(sizeof(PackHeader));
            QByteArray entry(qsizetype(sizeof(PackHeader) + size), Qt::Uninitialized);
            whole = whole &&
                    ::pread(pack, entry.data(), size_t(entry.size()), start) == entry.size() &&
                    posix::writeAll(out.get(), entry).ok();
        }
        if (!whole || ::fdatasync(out.get()) != 0 || ::fsync(folder) != 0) {
            ::unlinkat(folder, moved.c_str(), 0);
            return;
        }
    }
    (void)::unlinkat(folder, name.c_str(), 0);
}

namespace {

// Each leaf's digest is kept, and each text leaf's bytes become a base.
LeafSink keeping(BaseStore& store, KeptItem& kept) {
    return [&store, &kept](const Leaf& leaf) {
        kept.files[leaf.relative] = leaf.digest;
        if (leaf.bytes && isText(*leaf.bytes)) {
            if (Status keptBase = store.keep(leaf.digest, *leaf.bytes); !keptBase.ok())
                logOnce(keptBase);
        }
    };
}

} // namespace

Expected<KeptItem> keepBases(BaseStore& store, int dir, const std::string& name) {
    KeptItem kept;
    const auto content = contentDigest(dir, name, keeping(store, kept));
    if (!content.ok())
        return content.status();
    kept.content = *content;
    return kept;
}

Expected<KeptItem> copyKeepingBases(BaseStore& store, int dir, const std::string& name,
                                    const struct stat& st, int copyDir,
                                    const std::string& copyName) {
    KeptItem kept;
    const auto content = copyFileWithDigest(dir, name, st, copyDir, copyName, keeping(store, kept));
    if (!content.ok())
        return content.status();
    kept.content = *content;
    return kept;
}

} // namespace twk::files

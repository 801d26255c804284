#include "installer/files/BaseStore.h"

#include "installer/files/TextDiff.h"
#include "support/log/SystemLog.h"
#include "support/posix/Io.h"
#include "support/posix/MakeFolders.h"
#include "support/text/Conversions.h"

#include <atomic>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
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

Status BaseStore::keep(const Digest& digest, const QByteArray& text) {
    const int folder = folderFd(true);
    if (folder < 0)
        return Status(Step::Writing, errno, folder_);
    const std::string name = text::toNativeBytes(digest.hex()).toStdString();
    const std::string path = folder_ + '/' + name;
    // Written in place, not flushed: a base is only ever read whole with its digest, so one
    // being written, or cut short by a crash, counts as none.
    Fd fd(::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!fd.valid() && errno == EEXIST) {
        const auto kept = statAt(folder, name);
        if (kept.ok() && S_ISREG(kept->st_mode) && kept->st_size == text.size()) {
            // Kept already; touched, so that it is not dropped as unused.
            (void)::utimensat(folder, name.c_str(), nullptr, AT_SYMLINK_NOFOLLOW);
            return {};
        }
        ::unlinkat(folder, name.c_str(), 0); // what a crash left unfinished
        fd = Fd(::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    }
    if (!fd.valid())
        return errno == EEXIST ? Status() : Status(Step::Writing, errno, path); // being kept
    Status written = posix::writeAll(fd.get(), text);
    if (written.ok() && ::close(fd.release()) != 0)
        written = Status(Step::Writing, errno);
    if (!written.ok())
        ::unlinkat(folder, name.c_str(), 0);
    return written.as(Step::Writing, path);
}

Expected<QByteArray> BaseStore::text(const Digest& digest) const {
    const std::string name = text::toNativeBytes(digest.hex()).toStdString();
    const int folder = folderFd(false);
    const Fd fd(folder < 0 ? -1
                           : ::openat(folder, name.c_str(),
                                      O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid())
        return Status(Step::Reading, errno, folder_ + '/' + name);
    QByteArray bytes;
    if (Status read = posix::readAll(fd.get(), bytes, WholeFileLimit); !read.ok())
        return read.as(Step::Reading, folder_ + '/' + name);
    if (bytes.size() > WholeFileLimit || fileBytesDigest(bytes) != digest)
        return Status(Step::Reading, ENOENT, folder_ + '/' + name);
    return bytes;
}

void BaseStore::dropUnused(const std::set<QString>& used) const {
    const int folder = folderFd(false);
    if (folder < 0)
        return;
    auto names = readEntries(folder);
    if (!names.ok())
        return;
    const time_t now = ::time(nullptr);
    for (const std::string& name : *names) {
        if (used.count(QString::fromLatin1(name.data(), qsizetype(name.size()))))
            continue; // the common case, decided without a look at the file
        const auto st = statAt(folder, name);
        if (!st.ok() || !S_ISREG(st->st_mode) || now - st->st_mtime < GraceSeconds)
            continue;
        (void)::unlinkat(folder, name.c_str(), 0); // gone already, or left for next time
    }
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

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

Status BaseStore::keep(const Digest& digest, const QByteArray& text) {
    const std::string path = folder_ + '/' + text::toNativeBytes(digest.hex()).toStdString();
    if (::utimensat(AT_FDCWD, path.c_str(), nullptr, AT_SYMLINK_NOFOLLOW) == 0)
        return {};
    if (Status made = posix::makeFolders(folder_); !made.ok())
        return made;
    // Not flushed: the digest tells a base a crash left unfinished, and it is then none.
    std::string temporary = folder_ + "/.new-XXXXXX";
    Fd fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd.valid())
        return Status(Step::Writing, errno, folder_);
    Status written = posix::writeAll(fd.get(), text);
    if (written.ok() && ::close(fd.release()) != 0)
        written = Status(Step::Writing, errno);
    if (written.ok() && ::rename(temporary.c_str(), path.c_str()) != 0)
        written = Status(Step::Writing, errno);
    if (!written.ok())
        ::unlink(temporary.c_str());
    return written.as(Step::Writing, path);
}

Expected<QByteArray> BaseStore::text(const Digest& digest) const {
    const std::string path = folder_ + '/' + text::toNativeBytes(digest.hex()).toStdString();
    const Fd fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid())
        return Status(Step::Reading, errno, path);
    QByteArray bytes;
    if (Status read = posix::readAll(fd.get(), bytes, WholeFileLimit); !read.ok())
        return read.as(Step::Reading, path);
    if (bytes.size() > WholeFileLimit || fileBytesDigest(bytes) != digest)
        return Status(Step::Reading, ENOENT, path);
    return bytes;
}

void BaseStore::dropUnused(const std::set<QString>& used) const {
    const Fd folder = openFolderPath(folder_);
    if (!folder.valid())
        return;
    auto names = readEntries(folder.get());
    if (!names.ok())
        return;
    const time_t now = ::time(nullptr);
    for (const std::string& name : *names) {
        const auto st = statAt(folder.get(), name);
        if (!st.ok() || !S_ISREG(st->st_mode) || now - st->st_mtime < GraceSeconds ||
            used.count(text::fromNativeBytes(QByteArray::fromStdString(name))))
            continue;
        (void)::unlinkat(folder.get(), name.c_str(), 0); // gone already, or left for next time
    }
}

Expected<KeptItem> keepBases(BaseStore& store, int dir, const std::string& name) {
    KeptItem kept;
    const auto content = contentDigest(dir, name, [&](const Leaf& leaf) {
        kept.files[leaf.relative] = leaf.digest;
        if (leaf.bytes && isText(*leaf.bytes)) {
            if (Status keptBase = store.keep(leaf.digest, *leaf.bytes); !keptBase.ok())
                logOnce(keptBase);
        }
    });
    if (!content.ok())
        return content.status();
    kept.content = *content;
    return kept;
}

} // namespace twk::files

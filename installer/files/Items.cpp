#include "installer/files/Items.h"

#include "installer/files/FolderStack.h"
#include "support/posix/Io.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <memory>
#include <sys/ioctl.h>
#include <sys/sendfile.h>
#include <unistd.h>
#include <vector>

namespace twk::files {
namespace {

// Set once a file system has refused a reflink, so later files skip the attempt.
thread_local bool reflinkRefused = false;

// Copies until the end of the input: a reflink where the file system shares blocks, else
// copy_file_range, else (another file system, an old kernel) sendfile.
Status copyBytes(int in, int out) {
    if (!reflinkRefused) {
        if (::ioctl(out, FICLONE, in) == 0)
            return {};
        if (errno == EOPNOTSUPP || errno == ENOTTY || errno == EINVAL || errno == EXDEV ||
            errno == ENOSYS)
            reflinkRefused = true;
    }
    bool kernelCopies = true;
    for (;;) {
        const ssize_t n = kernelCopies ? ::copy_file_range(in, nullptr, out, nullptr, 1 << 30, 0)
                                       : ::sendfile(out, in, nullptr, 1 << 30);
        if (n > 0)
            continue;
        if (n == 0)
            return {}; // the end of the file (also when it shrank meanwhile)
        if (kernelCopies &&
            (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP))
            kernelCopies = false;
        else if (errno != EINTR)
            return Status(Step::Copying, errno);
    }
}

// The system's failure of the last call, as a step of a copy.
Status copyFailed(int error = errno) {
    return Status(Step::Copying, error);
}

// Hands the copy's bytes, from its start, to tap.
Status tapCopy(int copy, const ByteTap& tap) {
    char* buffer = passBuffer();
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(copy, buffer, TapBufferSize, at);
        if (n == 0)
            return {};
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Status(Step::Reading, errno);
        tap(buffer, size_t(n));
        at += n;
    }
}

// Copies until the end of the input, handing each piece to tap on its way: read once, where a
// kernel copy and a second reading would each pass over the bytes. Where the file system
// shares blocks, the reflink still wins, and the copy is read after it.
Status copyBytesTapped(int in, int out, const ByteTap& tap) {
    if (!reflinkRefused) {
        if (::ioctl(out, FICLONE, in) == 0)
            return tapCopy(out, tap);
        if (errno == EOPNOTSUPP || errno == ENOTTY || errno == EINVAL || errno == EXDEV ||
            errno == ENOSYS)
            reflinkRefused = true;
    }
    char* buffer = passBuffer();
    for (size_t got = TapBufferSize; got == TapBufferSize;) {
        if (Status read = posix::readFully(in, buffer, TapBufferSize, got); !read.ok())
            return Status(Step::Copying, read.error());
        if (Status written = posix::writeAll(out, buffer, got); !written.ok())
            return Status(Step::Copying, written.error());
        tap(buffer, got);
    }
    return {};
}

Status copyFile(int srcDir, const std::string& name, const struct stat& st, int dstDir,
                const std::string& dstName, const ByteTap& tap = {}) {
    const Fd in(::openat(srcDir, name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    struct stat opened;
    if (!in.valid() || ::fstat(in.get(), &opened) != 0)
        return copyFailed();
    if (!sameFile(opened, st))
        return copyFailed(ESTALE);
    // Readable too: a reflinked copy is read back for the tap.
    Fd out(::openat(dstDir, dstName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!out.valid())
        return copyFailed();
    if (Status copied =
            tap ? copyBytesTapped(in.get(), out.get(), tap) : copyBytes(in.get(), out.get());
        !copied.ok())
        return copied;
    // Start writing large files out now, so the one flush before the swap finds little to do.
    if (opened.st_size >= (1 << 20))
        ::sync_file_range(out.get(), 0, 0, SYNC_FILE_RANGE_WRITE);
    const struct timespec times[2] = {opened.st_atim, opened.st_mtim};
    if (::fchmod(out.get(), opened.st_mode & 07777) != 0 || ::futimens(out.get(), times) != 0)
        return copyFailed();
    // A late write error (quota, a full disk on some file systems) shows only at close.
    if (::close(out.release()) != 0)
        return copyFailed();
    return {};
}

Status copyLeaf(int srcDir, const std::string& name, const struct stat& st, int dstDir,
                const std::string& dstName) {
    if (S_ISREG(st.st_mode))
        return copyFile(srcDir, name, st, dstDir, dstName);
    if (S_ISLNK(st.st_mode)) {
        const Expected<std::string> target = readLink(srcDir, name, st);
        if (!target.ok())
            return target.status();
        if (::symlinkat(target->c_str(), dstDir, dstName.c_str()) != 0)
            return copyFailed();
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        (void)::utimensat(dstDir, dstName.c_str(), times, AT_SYMLINK_NOFOLLOW);
        return {};
    }
    if (S_ISFIFO(st.st_mode)) {
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        if (::mkfifoat(dstDir, dstName.c_str(), 0600) != 0 ||
            ::fchmodat(dstDir, dstName.c_str(), st.st_mode & 07777, 0) != 0 ||
            ::utimensat(dstDir, dstName.c_str(), times, AT_SYMLINK_NOFOLLOW) != 0)
            return copyFailed();
        return {};
    }
    return copyFailed(EOPNOTSUPP); // devices and sockets are not scripts
}

// Creates a private folder and answers what it is, for entering it.
Status makeFolder(int dir, const std::string& name, struct stat& st) {
    if (::mkdirat(dir, name.c_str(), 0700) != 0)
        return copyFailed();
    const auto made = statAt(dir, name);
    if (!made.ok())
        return made.status();
    st = *made;
    return {};
}

Status finishFolder(int fd, const struct stat& source) {
    const struct timespec times[2] = {source.st_atim, source.st_mtim};
    if (::fchmod(fd, source.st_mode & 07777) != 0 || ::futimens(fd, times) != 0)
        return copyFailed();
    return {};
}

} // namespace

char* passBuffer() {
    thread_local const std::unique_ptr<char[]> buffer(new char[TapBufferSize]);
    return buffer.get();
}

Status copyFileTapped(int srcDir, const std::string& srcName, const struct stat& st, int dstDir,
                      const std::string& dstName, const ByteTap& tap) {
    return copyFile(srcDir, srcName, st, dstDir, dstName, tap);
}

Expected<std::string> readLink(int dir, const std::string& name, const struct stat& st) {
    size_t size = st.st_size > 0 ? size_t(st.st_size) + 1 : PATH_MAX;
    std::string target;
    for (;;) {
        target.resize(size);
        const ssize_t n = ::readlinkat(dir, name.c_str(), target.data(), size);
        if (n < 0)
            return Status(Step::Reading, errno);
        if (size_t(n) < size) {
            target.resize(size_t(n));
            return target;
        }
        size *= 2; // it grew meanwhile
    }
}

ItemKind kindOf(mode_t mode) {
    if (S_ISREG(mode))
        return ItemKind::File;
    if (S_ISDIR(mode))
        return ItemKind::Folder;
    if (S_ISLNK(mode))
        return ItemKind::Link;
    return ItemKind::Other;
}

Status copyItem(int srcDir, const std::string& srcName, int dstDir, const std::string& dstName,
                const std::string& srcRoot) {
    FolderStack source(srcDir, srcRoot, Step::Copying);
    FolderStack copy(dstDir, srcRoot, Step::Copying);
    struct stat made;
    auto found = statAt(srcDir, srcName);
    if (!found.ok())
        return source.failure(found.status().error(), srcName);
    struct stat st = *found;
    if (!S_ISDIR(st.st_mode))
        return copyLeaf(srcDir, srcName, st, dstDir, dstName)
            .as(Step::Copying, source.pathOf(srcName));
    if (Status s = makeFolder(dstDir, dstName, made); !s.ok())
        return s.as(Step::Copying, source.pathOf(srcName));
    if (Status s = source.enter(srcName, st); !s.ok())
        return s;
    if (Status s = copy.enter(dstName, made); !s.ok())
        return s;
    while (!source.empty()) {
        if (const std::string* next = source.top().nextEntry()) {
            const std::string name = *next;
            found = statAt(source.fd(), name);
            if (!found.ok())
                return source.failure(found.status().error(), name);
            st = *found;
            if (!S_ISDIR(st.st_mode)) {
                if (Status s = copyLeaf(source.fd(), name, st, copy.fd(), name); !s.ok())
                    return s.as(Step::Copying, source.pathOf(name));
                continue;
            }
            if (Status s = makeFolder(copy.fd(), name, made); !s.ok())
                return s.as(Step::Copying, source.pathOf(name));
            if (Status s = source.enter(name, st); !s.ok())
                return s;
            if (Status s = copy.enter(name, made); !s.ok())
                return s;
            continue;
        }
        if (Status s = finishFolder(copy.fd(), source.top().st); !s.ok())
            return s.as(Step::Copying, source.pathOf());
        if (Status s = source.leave(); !s.ok())
            return s;
        if (Status s = copy.leave(); !s.ok())
            return s;
    }
    return {};
}

Status removeItem(int dir, const std::string& name, const std::string& root) {
    FolderStack stack(dir, root, Step::Removing);
    std::string entry = name;
    int attempts = 0;
    for (;;) {
        // Visit entry inside the current folder (base first): unlink it, or descend into it.
        const auto found = statAt(stack.fd(), entry);
        if (found.ok()) {
            const struct stat& st = *found;
            if (S_ISDIR(st.st_mode)) {
                Status entered = stack.enter(entry, st, true);
                if (!entered.ok() && ++attempts < 4 &&
                    (entered.error() == ESTALE || entered.error() == ENOTDIR ||
                     entered.error() == ELOOP))
                    continue; // it changed under us: look at it again
                if (!entered.ok())
                    return entered;
            } else {
                runEntryHook(entry);
                if (::unlinkat(stack.fd(), entry.c_str(), 0) != 0 && errno != ENOENT) {
                    if (errno == EISDIR && ++attempts < 4)
                        continue;
                    return stack.failure(errno, entry);
                }
            }
        } else if (found.status().error() != ENOENT) {
            return stack.failure(found.status().error(), entry);
        }
        attempts = 0;
        // Then the next entry of the current folder; a folder emptied goes after its entries.
        for (;;) {
            if (stack.empty())
                return {};
            if (const std::string* next = stack.top().nextEntry()) {
                entry = *next;
                break;
            }
            const std::string emptied = stack.top().name;
            if (Status s = stack.leave(); !s.ok())
                return s;
            if (::unlinkat(stack.fd(), emptied.c_str(), AT_REMOVEDIR) != 0 && errno != ENOENT)
                return stack.failure(errno, emptied);
        }
    }
}

ItemMeasure measureItem(int dir, const std::string& name) {
    ItemMeasure measure;
    auto found = statAt(dir, name);
    if (!found.ok())
        return measure;
    struct stat st = *found;
    measure.kind = kindOf(st.st_mode);
    if (measure.kind == ItemKind::Link)
        measure.linkTarget = readLink(dir, name, st).value_or({});
    if (measure.kind != ItemKind::Folder) {
        measure.files = 1;
        measure.bytes = st.st_size;
        return measure;
    }
    FolderStack walk(dir, {}, Step::Listing);
    if (!walk.enter(name, st).ok())
        return measure;
    while (!walk.empty()) {
        const std::string* next = walk.top().nextEntry();
        if (!next) {
            if (!walk.leave().ok())
                break;
            continue;
        }
        const std::string entry = *next;
        found = statAt(walk.fd(), entry);
        if (!found.ok())
            continue;
        st = *found;
        if (S_ISDIR(st.st_mode)) {
            if (!walk.enter(entry, st).ok())
                break;
            continue;
        }
        ++measure.files;
        measure.bytes += S_ISREG(st.st_mode) ? st.st_size : 0;
    }
    return measure;
}

} // namespace twk::files

#include "installer/files/Folders.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace twk::files {

Fd openFolderPath(const std::string& path) {
    return Fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

Fd openFolderAt(int dirFd, const std::string& name) {
    return Fd(::openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

Expected<struct stat> statAt(int dirFd, const std::string& name) {
    struct stat st;
    if (::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return Status(Step::Resolving, errno);
    return st;
}

Expected<std::vector<std::string>> readEntries(int dirFd) {
    std::vector<std::string> names;
    if (::lseek(dirFd, 0, SEEK_SET) < 0)
        return Status(Step::Listing, errno);
    alignas(dirent64) char buffer[32768];
    for (;;) {
        const ssize_t n = ::getdents64(dirFd, buffer, sizeof buffer);
        if (n == 0)
            return names;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Status(Step::Listing, errno);
        }
        for (ssize_t at = 0; at < n;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
            at += entry->d_reclen;
            const char* name = entry->d_name;
            if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0)
                names.emplace_back(name);
        }
    }
}

int renameNoReplace(int fromDir, const char* from, int toDir, const char* to) {
    if (::renameat2(fromDir, from, toDir, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    struct stat st;
    if (::fstatat(toDir, to, &st, AT_SYMLINK_NOFOLLOW) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::renameat(fromDir, from, toDir, to);
}

std::vector<FileId> foldersUpFrom(int folderFd) {
    std::vector<FileId> folders;
    struct stat st;
    if (::fstat(folderFd, &st) != 0)
        return folders;
    folders.push_back(idOf(st));
    Fd current;
    int fd = folderFd;
    for (;;) {
        Fd parent(::openat(fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!parent.valid() || ::fstat(parent.get(), &st) != 0 || idOf(st) == folders.back())
            return folders; // the root is its own parent
        folders.push_back(idOf(st));
        current = std::move(parent);
        fd = current.get();
    }
}

} // namespace twk::files

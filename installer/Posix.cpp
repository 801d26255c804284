#include "installer/Posix.h"

#include "installer/Status.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

namespace twk::installer {

namespace posix {

Fd& Fd::operator=(Fd&& other) noexcept {
    if (this != &other)
        reset(other.release());
    return *this;
}

int Fd::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void Fd::reset(int fd) {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd;
}

Fd openFolderPath(const std::string& path) {
    return Fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

Fd openFolderAt(int dirFd, const std::string& name) {
    return Fd(::openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

bool statAt(int dirFd, const std::string& name, struct stat& st) {
    return ::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

int readEntries(int dirFd, std::vector<std::string>& names) {
    names.clear();
    if (::lseek(dirFd, 0, SEEK_SET) < 0)
        return errno;
    alignas(dirent64) char buffer[32768];
    for (;;) {
        const ssize_t n = ::getdents64(dirFd, buffer, sizeof buffer);
        if (n == 0)
            return 0;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
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

QString errorText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace posix

namespace {

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(FileStatus)
};

} // namespace

QString Status::description() const {
    if (ok())
        return {};
    const QString where = posix::displayPath(path_);
    switch (step_) {
    case Step::Listing:
        return Texts::tr("cannot list \"%1\": %2").arg(where, posix::errorText(error_));
    case Step::Resolving:
        return Texts::tr("cannot find \"%1\": %2").arg(where, posix::errorText(error_));
    case Step::Copying:
        return Texts::tr("cannot copy \"%1\": %2").arg(where, posix::errorText(error_));
    case Step::Flushing:
        return Texts::tr("cannot write \"%1\" out to disk: %2")
            .arg(where, posix::errorText(error_));
    case Step::Replacing:
        return Texts::tr("cannot replace \"%1\": %2").arg(where, posix::errorText(error_));
    case Step::Trashing:
        if (error_ == EXDEV)
            return Texts::tr("cannot move \"%1\" to the Trash: the Trash is on another file system")
                .arg(where);
        return Texts::tr("cannot move \"%1\" to the Trash: %2")
            .arg(where, posix::errorText(error_));
    case Step::Removing:
        return Texts::tr("cannot remove \"%1\": %2").arg(where, posix::errorText(error_));
    case Step::DestinationInsideSource:
        return Texts::tr("cannot copy \"%1\": the user scripts folder lies inside it").arg(where);
    case Step::SourceInsideDestination:
        return Texts::tr("cannot replace \"%1\": Tarnwick's scripts folder lies inside it")
            .arg(where);
    }
    return {};
}

} // namespace twk::installer

#include "installer/StagedCopy.h"

#include "support/strings/Pieces.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <stdio.h>
#include <sys/ioctl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <vector>

namespace twk::installer {
namespace {

constexpr char StagedPrefix[] = ".twk-staged-";
constexpr char AsidePrefix[] = ".twk-old-";

QString qPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string nativePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The staging names of one destination name share a stable tag.
std::string tagFor(const std::string& name) {
    return QCryptographicHash::hash(QByteArray::fromStdString(name), QCryptographicHash::Sha1)
        .toHex()
        .left(16)
        .toStdString();
}

std::string uniqueName(const char* prefix, const std::string& name) {
    static const int pid = int(getpid());
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%s%s-%d-%08x", prefix, tagFor(name).c_str(), pid,
                  QRandomGenerator::global()->generate());
    return buffer;
}

struct Fd {
    int fd = -1;
    explicit Fd(int f = -1) : fd(f) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd >= 0)
            ::close(fd);
    }
};

struct CopyFailure {
    int error;
    std::string where; // path below the source item, empty for the item itself
};

// Set once a file system has refused a reflink, so later files skip the attempt.
thread_local bool reflinkRefused = false;

bool copyBytes(int in, int out, off_t size, int& error) {
    if (!reflinkRefused) {
        if (::ioctl(out, FICLONE, in) == 0)
            return true;
        if (errno == EOPNOTSUPP || errno == ENOTTY || errno == EINVAL || errno == EXDEV ||
            errno == ENOSYS)
            reflinkRefused = true;
    }
    off_t left = size;
    bool fallback = false;
    while (left > 0) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, size_t(left), 0);
        if (n > 0) {
            left -= n;
            continue;
        }
        if (n == 0)
            break; // the file shrank under us; what is there has been copied
        if (errno == EINTR)
            continue;
        if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP) {
            fallback = true;
            break;
        }
        error = errno;
        return false;
    }
    if (!fallback)
        return true;
    for (;;) {
        const ssize_t n = ::sendfile(out, in, nullptr, 1 << 30);
        if (n > 0)
            continue;
        if (n == 0)
            return true;
        if (errno == EINTR)
            continue;
        error = errno;
        return false;
    }
}

std::optional<CopyFailure> copyTree(int srcDir, const char* srcName, int dstDir,
                                    const char* dstName, const std::string& relative);

std::optional<CopyFailure> copyFile(int srcDir, const char* srcName, int dstDir,
                                    const char* dstName, const struct stat& st,
                                    const std::string& relative) {
    const Fd in(::openat(srcDir, srcName, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    if (in.fd < 0)
        return CopyFailure{errno, relative};
    Fd out(::openat(dstDir, dstName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (out.fd < 0)
        return CopyFailure{errno, relative};
    int error = 0;
    if (!copyBytes(in.fd, out.fd, st.st_size, error))
        return CopyFailure{error, relative};
    // Start writing large files out now, without waiting, so the one flush before the swap
    // finds little left to do.
    if (st.st_size >= (1 << 20))
        ::sync_file_range(out.fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (::fchmod(out.fd, st.st_mode & 07777) != 0 || ::futimens(out.fd, times) != 0)
        return CopyFailure{errno, relative};
    // A late write error (quota, full disk on some file systems) shows only at close.
    const int closed = ::close(out.fd);
    out.fd = -1;
    if (closed != 0)
        return CopyFailure{errno, relative};
    return std::nullopt;
}

std::optional<CopyFailure> copyFolder(int srcDir, const char* srcName, int dstDir,
                                      const char* dstName, const struct stat& st,
                                      const std::string& relative) {
    if (::mkdirat(dstDir, dstName, 0700) != 0)
        return CopyFailure{errno, relative};
    const Fd from(::openat(srcDir, srcName, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (from.fd < 0)
        return CopyFailure{errno, relative};
    const Fd to(::openat(dstDir, dstName, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (to.fd < 0)
        return CopyFailure{errno, relative};
    const int listFd = ::dup(from.fd);
    if (listFd < 0)
        return CopyFailure{errno, relative};
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::fdopendir(listFd), ::closedir);
    if (!dir) {
        const int e = errno;
        ::close(listFd);
        return CopyFailure{e, relative};
    }
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir.get());
        if (!entry) {
            if (errno != 0)
                return CopyFailure{errno, relative};
            break;
        }
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        const std::string child =
            relative.empty() ? std::string(entry->d_name) : relative + '/' + entry->d_name;
        if (auto failure = copyTree(from.fd, entry->d_name, to.fd, entry->d_name, child))
            return failure;
    }
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (::fchmod(to.fd, st.st_mode & 07777) != 0 || ::futimens(to.fd, times) != 0)
        return CopyFailure{errno, relative};
    return std::nullopt;
}

std::optional<CopyFailure> copyTree(int srcDir, const char* srcName, int dstDir,
                                    const char* dstName, const std::string& relative) {
    struct stat st;
    if (::fstatat(srcDir, srcName, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return CopyFailure{errno, relative};
    if (S_ISREG(st.st_mode))
        return copyFile(srcDir, srcName, dstDir, dstName, st, relative);
    if (S_ISDIR(st.st_mode))
        return copyFolder(srcDir, srcName, dstDir, dstName, st, relative);
    if (S_ISLNK(st.st_mode)) {
        std::vector<char> target(size_t(st.st_size > 0 ? st.st_size : PATH_MAX) + 1);
        const ssize_t n = ::readlinkat(srcDir, srcName, target.data(), target.size() - 1);
        if (n < 0)
            return CopyFailure{errno, relative};
        target[size_t(n)] = '\0';
        if (::symlinkat(target.data(), dstDir, dstName) != 0)
            return CopyFailure{errno, relative};
        const struct timespec times[2] = {st.st_atim, st.st_mtim};
        ::utimensat(dstDir, dstName, times, AT_SYMLINK_NOFOLLOW);
        return std::nullopt;
    }
    if (S_ISFIFO(st.st_mode)) {
        if (::mkfifoat(dstDir, dstName, st.st_mode & 07777) != 0)
            return CopyFailure{errno, relative};
        return std::nullopt;
    }
    // Devices and sockets are not scripts.
    return CopyFailure{EOPNOTSUPP, relative};
}

QString describe(const char* what, const std::string& source, const std::string& destination,
                 const CopyFailure& failure) {
    QString text = QStringLiteral("%1 \"%2\" to \"%3\": %4")
                       .arg(QLatin1String(what), qPath(source), qPath(destination),
                            QString::fromLocal8Bit(std::strerror(failure.error)));
    if (!failure.where.empty())
        text += QStringLiteral(" (at \"%1\")").arg(qPath(failure.where));
    return text;
}

bool pathExists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

bool processAlive(pid_t pid) {
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

} // namespace

std::optional<QString> removeItem(const std::string& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0)
        return errno == ENOENT
                   ? std::nullopt
                   : std::optional<QString>(QString::fromLocal8Bit(std::strerror(errno)));
    if (!S_ISDIR(st.st_mode)) {
        if (::unlink(path.c_str()) != 0)
            return QStringLiteral("\"%1\": %2")
                .arg(qPath(path), QString::fromLocal8Bit(std::strerror(errno)));
        return std::nullopt;
    }
    DIR* dir = ::opendir(path.c_str());
    if (!dir)
        return QStringLiteral("\"%1\": %2")
            .arg(qPath(path), QString::fromLocal8Bit(std::strerror(errno)));
    std::vector<std::string> children;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            children.push_back(path + '/' + entry->d_name);
    }
    ::closedir(dir);
    for (const std::string& child : children) {
        if (auto error = removeItem(child))
            return error;
    }
    if (::rmdir(path.c_str()) != 0)
        return QStringLiteral("\"%1\": %2")
            .arg(qPath(path), QString::fromLocal8Bit(std::strerror(errno)));
    return std::nullopt;
}

StagedInstaller::StagedInstaller(const QString& destinationFolder)
    : folder_(nativePath(destinationFolder)) {}

StagedInstaller::~StagedInstaller() {
    if (folderFd_ >= 0)
        ::close(folderFd_);
}

int StagedInstaller::folderFd() {
    if (folderFd_ < 0)
        folderFd_ = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    return folderFd_;
}

void StagedInstaller::removeLeftoversFor(const std::string& name) {
    if (!leftoversScanned_) {
        leftoversScanned_ = true;
        if (DIR* dir = ::opendir(folder_.c_str())) {
            while (const dirent* entry = ::readdir(dir)) {
                if (std::strncmp(entry->d_name, StagedPrefix, sizeof StagedPrefix - 1) == 0 ||
                    std::strncmp(entry->d_name, AsidePrefix, sizeof AsidePrefix - 1) == 0)
                    leftovers_.insert(entry->d_name);
            }
            ::closedir(dir);
        }
    }
    if (leftovers_.empty())
        return;
    const std::string tag = tagFor(name);
    for (const char* prefix : {StagedPrefix, AsidePrefix}) {
        const std::string start = std::string(prefix) + tag + '-';
        for (auto it = leftovers_.lower_bound(start);
             it != leftovers_.end() && it->compare(0, start.size(), start) == 0;) {
            // Only what a run that has ended left behind: "<prefix><tag>-<pid>-<random>". Our
            // own entries are not leftovers: a request handled while a bulk install lets the
            // window repaint may find that install's staged copy of the same script.
            const pid_t pid = pid_t(std::atoi(it->c_str() + start.size()));
            if (!processAlive(pid)) {
                removeItem(folder_ + '/' + *it);
                it = leftovers_.erase(it);
            } else {
                ++it;
            }
        }
    }
}

std::optional<InstallError> StagedInstaller::stage(const QString& sourcePath, StagedItem& staged) {
    const std::string source = nativePath(sourcePath);
    staged.name = nativePath(strings::lastPathComponent(sourcePath));
    const std::string& name = staged.name;
    staged.destinationPath = folder_ + '/' + name;
    const std::string stagedName = uniqueName(StagedPrefix, name);
    staged.stagedPath = folder_ + '/' + stagedName;
    removeLeftoversFor(name);

    const int destination = folderFd();
    if (destination < 0) {
        return InstallError{
            InstallError::Copying,
            describe("cannot copy", source, staged.destinationPath, CopyFailure{errno, {}})};
    }
    if (auto failure = copyTree(AT_FDCWD, source.c_str(), destination, stagedName.c_str(), {})) {
        discard(staged);
        return InstallError{InstallError::Copying,
                            describe("cannot copy", source, staged.destinationPath, *failure)};
    }
    return std::nullopt;
}

void StagedInstaller::flush() {
    if (folderFd() >= 0)
        ::syncfs(folderFd());
}

std::optional<InstallError> StagedInstaller::commit(const StagedItem& staged,
                                                    std::optional<QString>* cleanupError) {
    const char* from = staged.stagedPath.c_str();
    const char* to = staged.destinationPath.c_str();
    auto failed = [&](int error) {
        discard(staged);
        return InstallError{InstallError::Replacing,
                            describe("cannot replace", staged.stagedPath, staged.destinationPath,
                                     CopyFailure{error, {}})};
    };

    if (!pathExists(staged.destinationPath)) {
        if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
            return std::nullopt;
        if (errno != EEXIST && errno != EINVAL && errno != ENOSYS)
            return failed(errno);
        if (errno != EEXIST) {
            if (::rename(from, to) == 0)
                return std::nullopt;
            return failed(errno);
        }
        // Something appeared at the destination meanwhile: replace it as below.
    }

    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_EXCHANGE) == 0) {
        // The new item is in place; the old one now lies under the staging name.
        if (auto error = removeItem(staged.stagedPath); error && cleanupError)
            *cleanupError = *error;
        return std::nullopt;
    }
    if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP)
        return failed(errno);

    // No atomic exchange here: move the old item aside, the new one in, then drop the old.
    const std::string aside = folder_ + '/' + uniqueName(AsidePrefix, staged.name);
    if (::rename(to, aside.c_str()) != 0)
        return failed(errno);
    if (::rename(from, to) != 0) {
        const int error = errno;
        ::rename(aside.c_str(), to);
        return failed(error);
    }
    if (auto error = removeItem(aside); error && cleanupError)
        *cleanupError = *error;
    return std::nullopt;
}

void StagedInstaller::discard(const StagedItem& staged) {
    removeItem(staged.stagedPath);
}

std::optional<InstallError> installItem(const QString& sourcePath, const QString& destinationFolder,
                                        std::optional<QString>* cleanupError) {
    StagedInstaller installer(destinationFolder);
    StagedItem staged;
    if (auto error = installer.stage(sourcePath, staged))
        return error;
    installer.flush();
    return installer.commit(staged, cleanupError);
}

} // namespace twk::installer

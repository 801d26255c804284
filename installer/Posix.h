#pragma once

// The installer's one way to the file system: open folder descriptors and names relative
// to them. Nothing here follows a symbolic link at a name it is given, and nothing walks a
// path by name after it was checked.

#include <QString>

#include <string>
#include <sys/stat.h>
#include <vector>

namespace twk::installer::posix {

// An owned file descriptor, closed when it goes.
class Fd {
public:
    Fd() = default;
    explicit Fd(int fd) : fd_(fd) {}
    Fd(Fd&& other) noexcept : fd_(other.release()) {}
    Fd& operator=(Fd&& other) noexcept;
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release();
    void reset(int fd = -1);

private:
    int fd_ = -1;
};

// A folder given by its full path (the two scripts folders themselves may be links).
Fd openFolderPath(const std::string& path);
// The folder at name inside dirFd; fails (ELOOP or ENOTDIR) when name is a link.
Fd openFolderAt(int dirFd, const std::string& name);

// Whether a name inside dirFd exists, without following it; fills st when it does.
bool statAt(int dirFd, const std::string& name, struct stat& st);

// The entry names of an open folder, "." and ".." left out, in the file system's order.
// Returns 0, or the error number.
int readEntries(int dirFd, std::vector<std::string>& names);

// Whether two stats are of the same file.
inline bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// A file's identity.
struct FileId {
    dev_t dev;
    ino_t ino;
    friend bool operator==(const FileId&, const FileId&) = default;
};
inline FileId idOf(const struct stat& st) {
    return {st.st_dev, st.st_ino};
}

// The folder and every folder above it, up to the root.
std::vector<FileId> foldersUpFrom(int folderFd);

// The system's text for an error number.
QString errorText(int error);

// Path bytes and the text shown for them: invalid UTF-8 shows as replacement characters.
inline QString displayPath(const std::string& path) {
    return QString::fromUtf8(path.data(), qsizetype(path.size()));
}
inline std::string nativePath(const QString& path) {
    return path.toUtf8().toStdString();
}

} // namespace twk::installer::posix

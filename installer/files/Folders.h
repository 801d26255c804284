#pragma once

// Folders through descriptors: the engine's one way to the file system. Nothing here follows
// a symbolic link at a name it is given, and nothing walks a path by name after it was checked.

#include "support/posix/Expected.h"
#include "support/posix/Fd.h"

#include <string>
#include <sys/stat.h>
#include <vector>

namespace twk::files {

using posix::Expected;
using posix::Fd;
using posix::Status;
using posix::Step;

// A folder given by its full path (the two scripts folders themselves may be links).
Fd openFolderPath(const std::string& path);
// The folder at name inside dirFd; fails (ELOOP or ENOTDIR) when name is a link.
Fd openFolderAt(int dirFd, const std::string& name);

// What the name inside dirFd is, without following it; fails (ENOENT when nothing has the
// name) with the errno for the caller to name its step and path.
Expected<struct stat> statAt(int dirFd, const std::string& name);

// The entry names of an open folder, "." and ".." left out, in the file system's order.
// Fails with the errno of the listing; the caller names the step and path.
Expected<std::vector<std::string>> readEntries(int dirFd);

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

// rename(2) that never replaces an item at the new name (it fails with EEXIST), also where the
// file system cannot refuse a replacement itself: there the check and the rename are two
// steps. 0, or -1 with errno, as the system call.
int renameNoReplace(int fromDir, const char* from, int toDir, const char* to);

// The folder and every folder above it, up to the root.
std::vector<FileId> foldersUpFrom(int folderFd);

} // namespace twk::files

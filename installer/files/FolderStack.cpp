#include "installer/files/FolderStack.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace twk::files {
namespace {

std::function<void(const std::string&)>& entryHook() {
    static std::function<void(const std::string&)> hook;
    return hook;
}

// What a folder being emptied needs: owner read, write and search.
constexpr mode_t OwnerAll = S_IRWXU;

} // namespace

void setEntryHookForTesting(std::function<void(const std::string& name)> hook) {
    entryHook() = std::move(hook);
}

void runEntryHook(const std::string& name) {
    if (entryHook())
        entryHook()(name);
}

Status FolderStack::enter(const std::string& name, const struct stat& expected, bool writable) {
    runEntryHook(name);
    Fd folder = openFolderAt(fd(), name);
    if (!folder.valid() && errno == EACCES && writable) {
        // A folder shipped without read permission cannot be listed, so not emptied either.
        if (::fchmodat(fd(), name.c_str(), (expected.st_mode & 07777) | OwnerAll,
                       AT_SYMLINK_NOFOLLOW) == 0)
            folder = openFolderAt(fd(), name);
    }
    if (!folder.valid())
        return failure(errno, name);
    Frame frame{std::move(folder), {}, name, {}, 0};
    if (::fstat(frame.fd.get(), &frame.st) != 0)
        return failure(errno, name);
    if (!sameFile(frame.st, expected))
        return failure(ESTALE, name); // something else was put there meanwhile
    if (writable && (frame.st.st_mode & OwnerAll) != OwnerAll)
        (void)::fchmod(frame.fd.get(), (frame.st.st_mode & 07777) | OwnerAll);
    auto entries = readEntries(frame.fd.get());
    if (!entries.ok())
        return failure(entries.status().error(), name);
    frame.entries = std::move(*entries);
    frames_.push_back(std::move(frame));
    if (frames_.size() > MaxOpen)
        frames_[frames_.size() - 1 - MaxOpen].fd.reset();
    return {};
}

Status FolderStack::leave() {
    if (frames_.size() >= 2) {
        Frame& parent = frames_[frames_.size() - 2];
        if (!parent.fd.valid()) {
            Fd up(::openat(frames_.back().fd.get(), "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
            struct stat st;
            if (!up.valid() || ::fstat(up.get(), &st) != 0) {
                const int error = errno;
                frames_.pop_back();
                return failure(error);
            }
            if (!sameFile(st, parent.st)) {
                frames_.pop_back();
                return failure(ESTALE); // the folder above was moved away meanwhile
            }
            parent.fd = std::move(up);
        }
    }
    frames_.pop_back();
    return {};
}

std::string FolderStack::pathOf(const std::string& entry) const {
    std::string path = root_;
    for (const Frame& frame : frames_)
        path += '/' + frame.name;
    if (!entry.empty())
        path += '/' + entry;
    return path;
}

} // namespace twk::files

#include "installer/files/Trash.h"

#include "support/environment/BaseDirectories.h"
#include "support/posix/Io.h"
#include "support/posix/MakeFolders.h"
#include "support/text/Conversions.h"

#include <QCoreApplication>

#include <cerrno>
#include <climits>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace twk::files {
namespace {

constexpr char InfoSuffix[] = ".trashinfo";

// The path as a URI path: every byte but unreserved ASCII and "/" percent-escaped.
std::string escapePath(const std::string& path) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string escaped;
    for (const unsigned char c : path) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            c == '-' || c == '_' || c == '.' || c == '~' || c == '/') {
            escaped += char(c);
        } else {
            escaped += '%';
            escaped += hex[c >> 4];
            escaped += hex[c & 15];
        }
    }
    return escaped;
}

std::string deletionDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

// "name", "name.2", "name.3"...; cut short so that the info file's name still fits, never
// inside a UTF-8 character.
std::string candidateName(const std::string& base, int attempt) {
    const std::string suffix = attempt == 1 ? std::string() : '.' + std::to_string(attempt);
    size_t room = NAME_MAX - (sizeof InfoSuffix - 1) - suffix.size();
    if (room < base.size()) {
        while (room > 0 && (static_cast<unsigned char>(base[room]) & 0xC0) == 0x80)
            --room; // a continuation byte: the character began before
    }
    return base.substr(0, room) + suffix;
}

} // namespace

std::string homeTrashFolder() {
    return text::toNativeBytes(environment::dataHome()).toStdString() + "/Trash";
}

TrashSlot::~TrashSlot() {
    if (!filled_)
        giveBack();
}

void TrashSlot::giveBack() {
    if (reserved_)
        (void)::unlinkat(info_.get(), (name_ + InfoSuffix).c_str(), 0);
    reserved_ = false;
}

Status TrashSlot::reserve(int folderFd, const std::string& originalPath) {
    originalPath_ = originalPath;
    const std::string trash = homeTrashFolder();
    for (const char* sub : {"/files", "/info"}) {
        if (Status made = posix::makeFolders(trash + sub); !made.ok())
            return made.as(Step::Trashing, originalPath);
    }
    files_ = openFolderPath(trash + "/files");
    info_ = openFolderPath(trash + "/info");
    struct stat trashSt, folderSt;
    if (!files_.valid() || !info_.valid() || ::fstat(files_.get(), &trashSt) != 0 ||
        ::fstat(folderFd, &folderSt) != 0)
        return Status(Step::Trashing, errno, originalPath);
    if (trashSt.st_dev != folderSt.st_dev)
        return Status(Step::Trashing, EXDEV, originalPath, // a rename cannot reach it
                      QCoreApplication::translate("Status", "the Trash is on another file system"));

    const std::string base = originalPath.substr(originalPath.rfind('/') + 1);
    const std::string content = "[Trash Info]\nPath=" + escapePath(originalPath) +
                                "\nDeletionDate=" + deletionDate() + "\n";
    for (int attempt = 1; attempt < 10000; ++attempt) {
        const std::string name = candidateName(base, attempt);
        Fd info(::openat(info_.get(), (name + InfoSuffix).c_str(),
                         O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
        if (!info.valid() && errno == EEXIST)
            continue;
        if (!info.valid())
            return Status(Step::Trashing, errno, originalPath);
        name_ = name;
        reserved_ = true;
        if (statAt(files_.get(), name).ok()) {
            giveBack(); // an item without its info file holds that name
            continue;
        }
        Status written = posix::writeAll(info.get(), content.data(), content.size());
        if (written.ok() && ::close(info.release()) != 0)
            written = Status(Step::Writing, errno);
        if (!written.ok()) {
            giveBack();
            return written.as(Step::Trashing, originalPath);
        }
        return {};
    }
    return Status(Step::Trashing, EEXIST, originalPath);
}

Status TrashSlot::fill(int folderFd, const std::string& name) {
    if (!reserved_)
        return Status(Step::Trashing, EINVAL, originalPath_);
    // A folder moves to another parent only when its owner may write it (its ".." changes):
    // a script shipped read-only is given that much, and nothing more.
    const auto found = statAt(folderFd, name);
    const struct stat st = found.value_or({});
    const bool lockedFolder = found.ok() && S_ISDIR(st.st_mode) && !(st.st_mode & S_IWUSR);
    if (lockedFolder)
        if (::fchmodat(folderFd, name.c_str(), (st.st_mode & 07777) | S_IWUSR, 0) != 0)
            return Status(Step::Trashing, errno, originalPath_);
    // Never over an item that took the name meanwhile.
    if (renameNoReplace(folderFd, name.c_str(), files_.get(), name_.c_str()) != 0) {
        const int error = errno;
        if (lockedFolder && ::fchmodat(folderFd, name.c_str(), st.st_mode & 07777, 0) != 0)
            return Status(Step::Trashing, errno, originalPath_); // moved neither way
        return Status(Step::Trashing, error, originalPath_);
    }
    filled_ = true;
    return {};
}

Status TrashSlot::restore(int folderFd, const std::string& name) {
    if (!filled_ || renameNoReplace(files_.get(), name_.c_str(), folderFd, name.c_str()) != 0)
        return Status(Step::Replacing, filled_ ? errno : EINVAL, originalPath_);
    filled_ = false;
    giveBack();
    return {};
}

Status moveToTrash(int folderFd, const std::string& name, const std::string& originalPath,
                   std::string* trashedName) {
    TrashSlot slot;
    if (Status s = slot.reserve(folderFd, originalPath); !s.ok())
        return s;
    if (Status s = slot.fill(folderFd, name); !s.ok())
        return s;
    if (trashedName)
        *trashedName = slot.trashedName();
    return {};
}

} // namespace twk::files

#include "installer/files/StagedInstaller.h"

#include "installer/files/Items.h"
#include "installer/files/Trash.h"

#include <QCoreApplication>

#include <QCryptographicHash>
#include <QRandomGenerator>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace twk::files {
namespace {

constexpr char StagedPrefix[] = ".twk-staged-";
constexpr char AsidePrefix[] = ".twk-old-";
std::atomic<bool> exchangeUnsupported{false};

// Swaps two entries of one folder, or fails as a file system without the swap does.
int exchange(int fd, const char* a, const char* b) {
    if (exchangeUnsupported) {
        errno = EINVAL;
        return -1;
    }
    return ::renameat2(fd, a, fd, b, RENAME_EXCHANGE);
}

// The staging names of one destination name share a stable tag.
std::string tagFor(const std::string& name) {
    return QCryptographicHash::hash(QByteArray::fromStdString(name), QCryptographicHash::Sha1)
        .toHex()
        .left(16)
        .toStdString();
}

// "<prefix><tag>-<pid>-<random>": the pid tells a later run whether its owner still runs.
std::string uniqueName(const char* prefix, const std::string& name) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "%s%s-%d-%08x", prefix, tagFor(name).c_str(),
                  int(::getpid()), QRandomGenerator::global()->generate());
    return buffer;
}

bool processAlive(pid_t pid) {
    return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.compare(0, std::strlen(prefix), prefix) == 0;
}

} // namespace

void setExchangeUnsupportedForTesting(bool unsupported) {
    exchangeUnsupported = unsupported;
}

bool isStagingName(const std::string& name) {
    return startsWith(name, StagedPrefix) || startsWith(name, AsidePrefix);
}

StagedInstaller::StagedInstaller(std::string destinationFolder)
    : path_(std::move(destinationFolder)) {}

Status StagedInstaller::open() {
    folder_ = openFolderPath(path_);
    if (!folder_.valid())
        return Status(Step::Copying, errno, path_);
    folderAndAbove_ = foldersUpFrom(folder_.get());
    if (auto names = readEntries(folder_.get()); names.ok()) {
        for (std::string& name : *names) {
            if (isStagingName(name))
                leftovers_.insert(std::move(name));
        }
    }
    return {};
}

void StagedInstaller::removeLeftoversFor(const std::string& name) {
    const std::lock_guard lock(leftoversMutex_);
    if (leftovers_.empty())
        return;
    const std::string tag = tagFor(name);
    for (const char* prefix : {StagedPrefix, AsidePrefix}) {
        const std::string start = std::string(prefix) + tag + '-';
        for (auto it = leftovers_.lower_bound(start);
             it != leftovers_.end() && it->compare(0, start.size(), start) == 0;) {
            // Only what a run that has ended left behind: a request handled while a bulk
            // install runs may meet that install's own staged copy of the same script.
            if (processAlive(pid_t(std::atoi(it->c_str() + start.size())))) {
                ++it;
                continue;
            }
            (void)removeItem(folder_.get(), *it, path_);
            it = leftovers_.erase(it);
        }
    }
}

Status StagedInstaller::stage(int sourceFolder, const std::string& sourceRoot,
                              const std::string& name, StagedItem& staged) {
    staged.name = name;
    staged.stagedName = uniqueName(StagedPrefix, name);
    const std::string sourcePath = sourceRoot + '/' + name;
    const auto found = statAt(sourceFolder, name);
    if (!found.ok())
        return found.status().as(Step::Copying, sourcePath);
    const struct stat& source = *found;
    if (S_ISDIR(source.st_mode) && std::find(folderAndAbove_.begin(), folderAndAbove_.end(),
                                             idOf(source)) != folderAndAbove_.end())
        return Status(
            Step::Copying, ELOOP, sourcePath,
            QCoreApplication::translate("Status", "the user scripts folder lies inside it"));
    if (const auto installed = statAt(folder_.get(), name);
        installed.ok() && S_ISDIR(installed->st_mode)) {
        const auto above = foldersUpFrom(sourceFolder);
        if (std::find(above.begin(), above.end(), idOf(*installed)) != above.end())
            return Status(
                Step::Replacing, ELOOP, path_ + '/' + name,
                QCoreApplication::translate("Status", "Tarnwick's scripts folder lies inside it"));
    }
    removeLeftoversFor(name);
    Status copied = copyItem(sourceFolder, name, folder_.get(), staged.stagedName, sourceRoot);
    if (!copied.ok())
        discard(staged);
    return copied;
}

Status StagedInstaller::flush() {
    if (::syncfs(folder_.get()) != 0)
        return Status(Step::Flushing, errno, path_);
    return {};
}

Status StagedInstaller::commit(const StagedItem& staged, CommitReport& report) {
    const int fd = folder_.get();
    const std::string destination = path_ + '/' + staged.name;
    const char* from = staged.stagedName.c_str();
    const char* to = staged.name.c_str();
    if (!statAt(fd, staged.name).ok()) {
        if (::renameat2(fd, from, fd, to, RENAME_NOREPLACE) == 0)
            return {};
        if (errno == EINVAL || errno == ENOSYS) {
            if (::renameat(fd, from, fd, to) == 0)
                return {};
        }
        if (errno != EEXIST) {
            const int error = errno;
            discard(staged);
            return Status(Step::Replacing, error, destination);
        }
        // Something appeared there meanwhile: replace it as below.
    }
    const bool differs = !sameItem(fd, staged.name, fd, staged.stagedName);
    TrashSlot slot;
    if (differs) {
        if (Status s = slot.reserve(fd, destination); !s.ok()) {
            discard(staged);
            return s;
        }
    }
    if (exchange(fd, from, to) != 0) {
        if (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)
            return replaceWithoutExchange(staged, differs, slot, report);
        const int error = errno;
        discard(staged);
        return Status(Step::Replacing, error, destination);
    }
    // The new item is in place; the old one now lies under the staging name.
    if (!differs) {
        report.cleanup = removeItem(fd, staged.stagedName, path_);
        return {};
    }
    if (Status s = slot.fill(fd, staged.stagedName); !s.ok()) {
        // The old item must not be lost: it goes back, and the new copy goes.
        if (exchange(fd, from, to) != 0)
            return Status(Step::Replacing, errno, path_ + '/' + staged.stagedName);
        discard(staged);
        return s;
    }
    report.trashedName = slot.trashedName();
    return {};
}

Status StagedInstaller::replaceWithoutExchange(const StagedItem& staged, bool differs,
                                               TrashSlot& slot, CommitReport& report) {
    // No atomic exchange on this file system: the old item moves out (to the Trash or
    // aside), the new one moves in, and should that fail the old one moves back.
    const int fd = folder_.get();
    const std::string aside = uniqueName(AsidePrefix, staged.name);
    Status out = differs ? slot.fill(fd, staged.name)
                 : ::renameat(fd, staged.name.c_str(), fd, aside.c_str()) == 0
                     ? Status()
                     : Status(Step::Replacing, errno, path_ + '/' + staged.name);
    if (!out.ok()) {
        discard(staged);
        return out;
    }
    if (::renameat(fd, staged.stagedName.c_str(), fd, staged.name.c_str()) != 0) {
        const int error = errno;
        Status back = differs ? slot.restore(fd, staged.name)
                      : ::renameat(fd, aside.c_str(), fd, staged.name.c_str()) == 0
                          ? Status()
                          : Status(Step::Replacing, errno, path_ + '/' + aside);
        discard(staged);
        return back.ok() ? Status(Step::Replacing, error, path_ + '/' + staged.name) : back;
    }
    if (differs)
        report.trashedName = slot.trashedName();
    else
        report.cleanup = removeItem(fd, aside, path_);
    return {};
}

void StagedInstaller::discard(const StagedItem& staged) {
    (void)removeItem(folder_.get(), staged.stagedName, path_);
}

} // namespace twk::files

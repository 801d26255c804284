#include "installer/files/StagedInstaller.h"

#include "installer/files/ItemDigest.h"
#include "installer/files/Items.h"
#include "installer/files/Trash.h"
#include "support/log/SystemLog.h"
#include "support/text/Conversions.h"

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
// A staged copy is renamed so just before its swap: once swapped, that name holds the old item.
constexpr char SwapPrefix[] = ".twk-swap-";
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
    static const pid_t pid = ::getpid(); // the program never forks to install
    std::snprintf(buffer, sizeof buffer, "%s%s-%d-%08x", prefix, tagFor(name).c_str(), int(pid),
                  QRandomGenerator::global()->generate());
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
    return startsWith(name, StagedPrefix) || startsWith(name, SwapPrefix) ||
           startsWith(name, AsidePrefix);
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
    anyLeftovers_ = !leftovers_.empty();
    return {};
}

void StagedInstaller::recover(const std::string& name, const std::vector<Digest>& ours) {
    if (!anyLeftovers_)
        return; // the common case, without a lock every thread would take for every script
    const std::lock_guard lock(leftoversMutex_);
    if (leftovers_.empty())
        return;
    const std::string tag = tagFor(name);
    std::optional<Expected<Digest>> installed;
    // A swapped or moved-aside leftover may be the user's work: deleted only when it holds
    // what is installed now or what the record says the program put there, else trashed.
    auto isOurs = [&](const std::string& leftover) {
        const auto content = contentDigest(folder_.get(), leftover);
        if (!content.ok())
            return false;
        if (std::find(ours.begin(), ours.end(), *content) != ours.end())
            return true;
        if (!installed)
            installed = contentDigest(folder_.get(), name);
        return installed->ok() && **installed == *content;
    };
    for (const char* prefix : {StagedPrefix, SwapPrefix, AsidePrefix}) {
        const std::string start = std::string(prefix) + tag + '-';
        for (auto it = leftovers_.lower_bound(start);
             it != leftovers_.end() && it->compare(0, start.size(), start) == 0;) {
            // Only what a run that has ended left behind: a request handled while a bulk
            // install runs may meet that install's own staged copy of the same script.
            if (processAlive(pid_t(std::atoi(it->c_str() + start.size())))) {
                ++it;
                continue;
            }
            // An old copy moved aside by a run that ended before it put the new one in is the
            // only copy there is: it goes back to its name. A staged copy never held anything
            // but the new one.
            const bool restored =
                prefix == AsidePrefix && !statAt(folder_.get(), name).ok() &&
                renameNoReplace(folder_.get(), it->c_str(), folder_.get(), name.c_str()) == 0;
            if (!restored && (prefix == StagedPrefix || isOurs(*it))) {
                (void)removeItem(folder_.get(), *it, path_);
            } else if (!restored) {
                // Left where it is when the Trash cannot take it: the next run tries again.
                std::string trashed;
                const Status moved = moveToTrash(folder_.get(), *it, path_ + '/' + name, &trashed);
                const QString shown = text::fromNativeBytes(path_ + '/' + name);
                if (moved.ok())
                    log::systemLog(QStringLiteral("an interrupted install of %1 left the copy "
                                                  "it replaced; it is in the Trash as %2")
                                       .arg(shown, text::fromNativeBytes(trashed)));
                else
                    log::systemLog(
                        QStringLiteral("an interrupted install of %1 left the copy "
                                       "it replaced as %2: %3")
                            .arg(shown, text::fromNativeBytes(*it), moved.description()));
            }
            it = leftovers_.erase(it);
        }
    }
}

Status StagedInstaller::stage(int sourceFolder, const std::string& sourceRoot,
                              const std::string& name, StagedItem& staged,
                              const FileCopier& copyFile, const LookedAt* lookedAt) {
    staged.name = name;
    staged.stagedName = uniqueName(StagedPrefix, name);
    const std::string sourcePath = sourceRoot + '/' + name;
    const auto found =
        lookedAt ? Expected<struct stat>(lookedAt->source) : statAt(sourceFolder, name);
    if (!found.ok())
        return found.status().as(Step::Copying, sourcePath);
    const struct stat& source = *found;
    if (S_ISDIR(source.st_mode) && std::find(folderAndAbove_.begin(), folderAndAbove_.end(),
                                             idOf(source)) != folderAndAbove_.end())
        return Status(
            Step::Copying, ELOOP, sourcePath,
            QCoreApplication::translate("Status", "the user scripts folder lies inside it"));
    const auto installed = !lookedAt ? statAt(folder_.get(), name)
                           : lookedAt->installed
                               ? Expected<struct stat>(*lookedAt->installed)
                               : Expected<struct stat>(Status(Step::Reading, ENOENT));
    if (installed.ok() && S_ISDIR(installed->st_mode)) {
        const auto above = foldersUpFrom(sourceFolder);
        if (std::find(above.begin(), above.end(), idOf(*installed)) != above.end())
            return Status(
                Step::Replacing, ELOOP, path_ + '/' + name,
                QCoreApplication::translate("Status", "Tarnwick's scripts folder lies inside it"));
    }
    recover(name);
    Status copied =
        copyFile && S_ISREG(source.st_mode)
            ? copyFile(sourceFolder, name, source, folder_.get(), staged.stagedName)
                  .as(Step::Copying, sourcePath)
            : copyItem(sourceFolder, name, folder_.get(), staged.stagedName, sourceRoot);
    if (!copied.ok())
        discard(staged);
    if (!copied.ok() && copied.error() == ESTALE && lookedAt)
        return stage(sourceFolder, sourceRoot, name, staged, copyFile); // replaced meanwhile
    return copied;
}

Status StagedInstaller::flush() {
    if (::syncfs(folder_.get()) != 0)
        return Status(Step::Flushing, errno, path_);
    return {};
}

Replaced StagedInstaller::judge(const std::string& returned, const CommitRules& rules) const {
    // Decided on what the swap actually handed back, which may be another run's fresh copy
    // rather than what was there when this run looked. What cannot be read is the user's.
    auto known = [&]() -> std::optional<Digest> {
        if (!rules.knownStamp || !rules.knownContent)
            return std::nullopt;
        const auto now = stampOf(folder_.get(), returned);
        return now.ok() && rules.knownStamp->vouchesForMoved(*now) ? rules.knownContent
                                                                   : std::nullopt;
    };
    const std::optional<Digest> seen = known();
    const auto content = seen ? Expected<Digest>(*seen) : contentDigest(folder_.get(), returned);
    if (content.ok() && *content == rules.newContent)
        return Replaced::Same;
    for (const std::optional<Digest>& ours : {rules.installedBefore, rules.pendingBefore}) {
        if (content.ok() && ours && *content == *ours)
            return Replaced::Unedited;
    }
    const bool consented =
        rules.replaceEdits &&
        (!rules.expectedEdit || (content.ok() && *content == *rules.expectedEdit));
    return consented ? Replaced::Edit : Replaced::EditKept;
}

Status StagedInstaller::commit(const StagedItem& staged, const CommitRules& rules,
                               CommitReport& report) {
    const int fd = folder_.get();
    const std::string destination = path_ + '/' + staged.name;
    const char* from = staged.stagedName.c_str();
    const char* to = staged.name.c_str();
    if (renameNoReplace(fd, from, fd, to) == 0)
        return {}; // nothing was there
    if (errno != EEXIST) {
        const int error = errno;
        discard(staged);
        return Status(Step::Replacing, error, destination);
    }
    // Under a name of its own before the swap: a run that ends after it leaves the old item
    // under that name, which the next run judges instead of deleting.
    const StagedItem swapped{staged.name,
                             SwapPrefix + staged.stagedName.substr(sizeof StagedPrefix - 1)};
    if (::renameat(fd, from, fd, swapped.stagedName.c_str()) != 0) {
        const int error = errno;
        discard(staged);
        return Status(Step::Replacing, error, destination);
    }
    from = swapped.stagedName.c_str();
    if (exchange(fd, from, to) != 0) {
        if (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)
            return replaceWithoutExchange(swapped, rules, report);
        const int error = errno;
        discard(swapped);
        return Status(Step::Replacing, error, destination);
    }
    // The new item is in place; the old one now lies under the swap name.
    report.replaced = judge(swapped.stagedName, rules);
    if (report.replaced != Replaced::Edit && report.replaced != Replaced::EditKept) {
        report.cleanup = removeItem(fd, swapped.stagedName, path_);
        return {};
    }
    auto putBack = [&](Status why) {
        if (exchange(fd, from, to) != 0)
            return Status(Step::Replacing, errno, path_ + '/' + swapped.stagedName);
        discard(swapped);
        return why;
    };
    if (report.replaced == Replaced::EditKept)
        return putBack({}); // changed since it was looked at: it stays
    TrashSlot slot;
    Status trashed = slot.reserve(fd, destination);
    if (trashed.ok())
        trashed = slot.fill(fd, swapped.stagedName);
    if (!trashed.ok())
        return putBack(trashed); // the old item must not be lost: it goes back
    report.trashedName = slot.trashedName();
    return {};
}

Status StagedInstaller::replaceWithoutExchange(const StagedItem& staged, const CommitRules& rules,
                                               CommitReport& report) {
    // No atomic exchange on this file system: the old item moves aside and is judged there;
    // the user's work that may not go moves back, the rest makes room for the new item, which
    // moves in; should that fail, the old one moves back.
    const int fd = folder_.get();
    const std::string aside = uniqueName(AsidePrefix, staged.name);
    const std::string destination = path_ + '/' + staged.name;
    auto moveBack = [&](Status why) {
        if (renameNoReplace(fd, aside.c_str(), fd, staged.name.c_str()) != 0)
            why = Status(Step::Replacing, errno, path_ + '/' + aside);
        discard(staged);
        return why;
    };
    if (::renameat(fd, staged.name.c_str(), fd, aside.c_str()) != 0) {
        const int error = errno;
        discard(staged);
        return Status(Step::Replacing, error, destination);
    }
    report.replaced = judge(aside, rules);
    if (report.replaced == Replaced::EditKept)
        return moveBack({});
    TrashSlot slot;
    if (report.replaced == Replaced::Edit) {
        Status trashed = slot.reserve(fd, destination);
        if (trashed.ok())
            trashed = slot.fill(fd, aside);
        if (!trashed.ok())
            return moveBack(trashed);
    }
    if (renameNoReplace(fd, staged.stagedName.c_str(), fd, staged.name.c_str()) != 0) {
        const Status failed(Step::Replacing, errno, destination);
        if (report.replaced != Replaced::Edit)
            return moveBack(failed);
        const Status back = slot.restore(fd, staged.name);
        discard(staged);
        return back.ok() ? failed : back;
    }
    if (report.replaced == Replaced::Edit)
        report.trashedName = slot.trashedName();
    else
        report.cleanup = removeItem(fd, aside, path_);
    return {};
}

void StagedInstaller::discard(const StagedItem& staged) {
    (void)removeItem(folder_.get(), staged.stagedName, path_);
}

} // namespace twk::files

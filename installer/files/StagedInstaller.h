#pragma once

// Installing items into one folder without ever losing what was there: the new copy is
// written beside the old one under a hidden staging name, made durable, and swapped in with
// one atomic exchange (or, where the file system cannot exchange, moved in right after the
// old one was moved out). An old item that differs from the new one goes to the Trash; one
// that is the same is deleted. Whatever step fails, the old item stays where it was and the
// staged copy is removed. Stage may be called from several threads at once.

#include "installer/files/Folders.h"

#include <mutex>
#include <set>
#include <string>
#include <vector>

namespace twk::files {

// One item copied under its staging name and waiting to be put in place.
struct StagedItem {
    std::string name;       // the entry name in the destination folder
    std::string stagedName; // where the copy waits
};

// What putting an item in place did to the item that was there.
struct CommitReport {
    std::string trashedName; // not empty when that item differed and went to the Trash
    Status cleanup;          // a same old item that could not be deleted (the new one is in place)
};

class StagedInstaller {
public:
    explicit StagedInstaller(std::string destinationFolder);
    StagedInstaller(const StagedInstaller&) = delete;
    StagedInstaller& operator=(const StagedInstaller&) = delete;

    // Opens the destination folder (which is never created) and clears what earlier runs
    // that ended left behind there.
    Status open();

    // Copies the item name of sourceFolder (an open folder at sourceRoot) beside its future
    // place. Refuses a copy into itself: a folder that contains the destination folder, or
    // a source folder that lies inside the item it would replace.
    Status stage(int sourceFolder, const std::string& sourceRoot, const std::string& name,
                 StagedItem& staged);

    // Makes every staged byte durable: one flush of the destination's file system.
    Status flush();

    // Puts a staged item in place. On failure the staged copy is gone and the old item is
    // where it was.
    Status commit(const StagedItem& staged, CommitReport& report);

    // Removes a staged copy that will not be committed.
    void discard(const StagedItem& staged);

    int folderFd() const { return folder_.get(); }
    const std::string& folderPath() const { return path_; }

private:
    void removeLeftoversFor(const std::string& name);
    Status replaceWithoutExchange(const StagedItem& staged, bool differs, class TrashSlot& slot,
                                  CommitReport& report);

    std::string path_;
    Fd folder_;
    std::vector<FileId> folderAndAbove_;
    std::mutex leftoversMutex_;
    std::set<std::string> leftovers_;
};

// Commits as on a file system without an atomic swap of two entries (for tests).
void setExchangeUnsupportedForTesting(bool unsupported);

// The staging names an install leaves only while it runs.
bool isStagingName(const std::string& name);

} // namespace twk::files

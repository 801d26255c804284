#pragma once

// Installing items into one folder without ever losing what was there: the new copy is
// written beside the old one under a hidden staging name, made durable, and swapped in with
// one atomic exchange (or, where the file system cannot exchange, moved in right after the
// old one was moved out). What the swap hands back is judged by its content: the same as the
// new item, or the unedited copy installed before, is deleted; the user's work goes to the
// Trash when the user agreed, and back in place when not. Whatever step fails, the old item stays
// where it was and the staged copy is removed. Stage may be called from several threads at once.

#include "installer/files/ItemDigest.h"

#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace twk::files {

// One item copied under its staging name and waiting to be put in place.
struct StagedItem {
    std::string name;       // the entry name in the destination folder
    std::string stagedName; // where the copy waits
};

// What the swap handed back, and what became of it.
enum class Replaced {
    Nothing,  // nothing had the name
    Same,     // an item equal to the new one (another run's fresh copy, say): deleted
    Unedited, // the copy installed before, unchanged: deleted
    Edit,     // the user's work, with consent: in the Trash
    EditKept, // the user's work, without consent: put back, and the new copy not installed
};

// How to judge what the swap hands back.
struct CommitRules {
    Digest newContent;                     // the staged copy's content
    std::optional<Digest> installedBefore; // what was installed before, as the record says
    bool replaceEdits = false;             // the user agreed to move edits to the Trash
    // With it, only an edit holding this content may go (the copy a merge was made from):
    // one changed since stays, as without consent.
    std::optional<Digest> expectedEdit = std::nullopt;
    // The copy that was there when this run looked, and its content: when what the swap hands
    // back is that copy still, its content is known without reading it.
    std::optional<Stamp> knownStamp = std::nullopt;
    std::optional<Digest> knownContent = std::nullopt;
    // What a run that ended early was putting in place, as the record says: the program's
    // copy too, never an edit.
    std::optional<Digest> pendingBefore = std::nullopt;
};

// What putting an item in place did to the item that was there.
struct CommitReport {
    Replaced replaced = Replaced::Nothing;
    std::string trashedName; // where an edit went in the Trash
    Status cleanup;          // an old item that could not be deleted (the new one is in place)
};

class StagedInstaller {
public:
    explicit StagedInstaller(std::string destinationFolder);
    StagedInstaller(const StagedInstaller&) = delete;
    StagedInstaller& operator=(const StagedInstaller&) = delete;

    // Opens the destination folder (which is never created) and clears what earlier runs
    // that ended left behind there.
    Status open();

    // Clears what runs that ended left behind for the name: an old copy one of them moved
    // aside goes back to its name when nothing has it; an old copy a swap handed back is
    // removed when it holds what is installed now or one of ours (what the record says was
    // put there), else it goes to the Trash; staged copies are removed. Done before the name
    // is looked at, and again before it is staged.
    void recover(const std::string& name, const std::vector<Digest>& ours = {});

    // Copies the item name of sourceFolder (an open folder at sourceRoot) beside its future
    // place. Refuses a copy into itself: a folder that contains the destination folder, or
    // a source folder that lies inside the item it would replace. A file item is copied by
    // copyFile where one is given (to read its bytes on the way).
    // lookedAt, when given, is what the names held when the caller looked a moment ago: they
    // are not looked at again unless the source turns out replaced meanwhile.
    using FileCopier = std::function<Status(int dir, const std::string& name, const struct stat& st,
                                            int copyDir, const std::string& copyName)>;
    struct LookedAt {
        struct stat source;
        std::optional<struct stat> installed; // none: nothing had the name
    };
    Status stage(int sourceFolder, const std::string& sourceRoot, const std::string& name,
                 StagedItem& staged, const FileCopier& copyFile = {},
                 const LookedAt* lookedAt = nullptr);

    // Makes every staged byte durable: one flush of the destination's file system.
    Status flush();

    // Puts a staged item in place. On failure, and when an edit was kept, the staged copy is
    // gone and the old item is where it was.
    Status commit(const StagedItem& staged, const CommitRules& rules, CommitReport& report);

    // Removes a staged copy that will not be committed.
    void discard(const StagedItem& staged);

    int folderFd() const { return folder_.get(); }
    const std::string& folderPath() const { return path_; }

private:
    Replaced judge(const std::string& returned, const CommitRules& rules) const;
    Status replaceWithoutExchange(const StagedItem& staged, const CommitRules& rules,
                                  CommitReport& report);

    std::string path_;
    Fd folder_;
    std::vector<FileId> folderAndAbove_;
    std::mutex leftoversMutex_;
    std::set<std::string> leftovers_;
    bool anyLeftovers_ = false; // set once the folder is opened, before any thread looks
};

// Commits as on a file system without an atomic swap of two entries (for tests).
void setExchangeUnsupportedForTesting(bool unsupported);

// The staging names an install leaves only while it runs.
bool isStagingName(const std::string& name);

} // namespace twk::files

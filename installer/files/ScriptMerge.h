#pragma once

// Tarnwick's update merged into the user's edit, leaf by leaf, against what was installed:
// a leaf only one side changed takes that side; a text both changed is merged three ways; a
// folder script merges only when every leaf does. The merged script keeps the user's
// permissions (the executable bit) and line ends. A merge is planned first, in memory; a clean
// one is written over a staged copy of Tarnwick's script and installed like any copy. One with
// conflicts is never installed: it may be saved, conflict markers and all, beside the user
// scripts folder ("<user scripts folder> Merges"), where Tarnwick's menu never looks, to be
// finished by hand.

#include "installer/files/ScriptVersions.h"
#include "installer/files/ThreeWayMerge.h"

#include <optional>
#include <vector>

namespace twk::files {

// Why a script cannot be merged at all.
enum class MergeObstacle {
    None,
    NoBase,            // what was installed is not known, or its text was not kept
    NotText,           // both changed a file that is not text (or is too large)
    KindsDiffer,       // a file on one side, a folder on the other
    RemovedAndChanged, // one side removed a file the other changed
};

struct LeafMerge {
    enum class Take {
        Theirs,   // Tarnwick's (also when both are the same)
        Yours,    // only the user changed it, or added it
        Merged,   // both changed it; merged cleanly
        Remove,   // the user removed it and Tarnwick left it as it was
        Conflict, // both changed the same lines: merged holds conflict markers
    };
    std::string path;
    Take take = Take::Theirs;
    QByteArray merged = {}; // Merged and Conflict
    std::vector<MergeConflict> conflicts = {};
    std::optional<mode_t> yoursMode = {}; // the permissions of the user's file, kept
};

struct ScriptMerge {
    enum class Verdict { Clean, Conflicts, Impossible };
    Verdict verdict = Verdict::Impossible;
    MergeObstacle obstacle = MergeObstacle::None;
    std::string obstaclePath; // the leaf it stands on
    std::vector<LeafMerge> leaves;
    Digest yours, theirs; // both copies' contents as they were read

    bool isClean() const { return verdict == Verdict::Clean; }
    // Every conflict, with the path of its leaf.
    std::vector<std::pair<std::string, const MergeConflict*>> conflicts() const;
};

// Plans the merge of the versions; fails only when libgit2 does.
Expected<ScriptMerge> planMerge(const ScriptVersions& versions, const BaseStore& store);
// Reads the versions of the script and plans its merge.
Expected<ScriptMerge> scriptMerge(const ScriptPlaces& places, const QByteArray& name);

// Writes the plan over item of folder, a copy of Tarnwick's script: leaves that are the user's
// are copied from yoursItem of yoursFolder, merged ones written (with conflict markers, for a
// plan with conflicts), and the user's permissions given back.
Status applyMerge(const ScriptMerge& merge, int folder, const std::string& item, int yoursFolder,
                  const std::string& yoursItem);

// Where merges with conflicts are saved: beside the user scripts folder, never inside it
// (every entry there is a script Tarnwick's menu would offer).
QString mergesFolder(const QString& userScriptsFolder);
// Saves the merge, conflict markers and all, in mergesFolder() under the script's name (or
// "<name> 2"..., never replacing a file): the path it was saved at.
Expected<QString> saveMergeWithConflicts(const ScriptPlaces& places, const QByteArray& name,
                                         const ScriptMerge& merge);
// The same with the merge planned again, as the copies are now: they may have changed while
// the user was asked.
Expected<QString> saveMergeWithConflicts(const ScriptPlaces& places, const QByteArray& name);

} // namespace twk::files

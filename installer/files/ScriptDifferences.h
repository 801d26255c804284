#pragma once

// How the user's installed copy of a script differs from Tarnwick's: for a folder script,
// which files only one side has and which differ; for each file, a text's line differences
// (the user's copy against Tarnwick's, and, where what was installed is kept, each side's
// changes since). Files that are not text, or too large to show, are named, not diffed.

#include "installer/files/ScriptVersions.h"
#include "installer/files/TextDiff.h"

#include <optional>
#include <vector>

namespace twk::files {

struct FileDifference {
    enum class Change { Changed, OnlyYours, OnlyTheirs };
    enum class Content { Text, Binary, TooLarge, Other }; // Other: a link, a FIFO...

    std::string path; // relative to the script: "" for a file script, else "/a/b"
    Change change = Change::Changed;
    Content content = Content::Text;
    bool executableDiffers = false; // both have it, and only one may run it
    TextDiff between = {};          // the user's copy against Tarnwick's (a text's)
    // From what was installed to each side, when it is kept (texts only).
    std::optional<TextDiff> yourChanges = {}, theirChanges = {};
};

struct ScriptDifferences {
    bool folder = false;
    bool hasBase = false;              // what was installed is known
    std::vector<FileDifference> files; // in path order; only those that differ

    bool isEmpty() const { return files.empty(); }
};

ScriptDifferences differencesOf(const ScriptVersions& versions, const ScriptPlaces& places);
// Reads the versions first; fails when either copy cannot be read.
Expected<ScriptDifferences> scriptDifferences(const ScriptPlaces& places, const QByteArray& name);

} // namespace twk::files

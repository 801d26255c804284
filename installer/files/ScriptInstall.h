#pragma once

// Installing one script: its copy put in place over whatever had its name, unless it is up to
// date already, or the installed copy holds the user's edits and the user did not agree to
// replace them. The install record learns what was installed. Log lines: "error copying
// script: %@" when the copy fails, "error deleting: %@" when the old item cannot be moved out
// of the way.

#include "installer/files/ScriptAssessment.h"
#include "installer/files/ScriptMerge.h"
#include "installer/files/ScriptPlaces.h"

#include <QByteArray>
#include <QString>

#include <string>

namespace twk::files {

// What to do with a copy that holds the user's edits.
enum class EditChoice {
    Keep,    // it stays, and Tarnwick's copy is not installed
    Replace, // Tarnwick's copy is installed; the edited copy goes to the Trash
    // Where Tarnwick's copy was updated too and the update merges cleanly into the edit, the
    // merge is installed and the edited copy goes to the Trash; otherwise it stays.
    Merge,
};

struct ScriptOutcome {
    enum class Done {
        Copied,    // Tarnwick's copy was put in place
        UpToDate,  // the installed copy is Tarnwick's already: nothing was copied
        EditsKept, // the installed copy holds the user's edits: it stayed
        Merged,    // Tarnwick's update merged into the user's edit was put in place
    };
    QByteArray name;
    Status status = {}; // why nothing was done, when it failed
    Done done = Done::Copied;
    ScriptState before = ScriptState::NotInstalled; // the state it was found in
    QByteArray trashedName = {};                    // where an edited copy went in the Trash
    std::optional<ScriptMerge::Verdict> merge = {}; // how a merge that was asked for went

    // Whether Tarnwick's copy is in place now (copied, there already, or merged).
    bool installed() const { return status.ok() && done != Done::EditsKept; }
};

// Installs the script name of Tarnwick's scripts folder.
ScriptOutcome installScriptNamed(const ScriptPlaces& places, const QByteArray& name,
                                 EditChoice edits);
// The same for a source given by its path (the last component is the name), replacing
// whatever is installed under that name, edits included (they go to the Trash).
ScriptOutcome installScript(const QString& sourcePath, const QString& userScriptsFolder,
                            const QString& stateFolder);

// Logs a failed install with the line its step calls for.
void logInstallFailure(const Status& status);

} // namespace twk::files

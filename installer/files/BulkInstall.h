#pragma once

// Installing every script of Tarnwick's scripts folder at once: each is looked at first (on
// several threads), those to copy are copied beside their places, everything is flushed once,
// then each is put in place. Up-to-date scripts are not copied again; copies that hold the
// user's edits stay unless the user agreed to replace them. Failures are logged as for one
// script; "error getting script directory" when Tarnwick's folder cannot be listed.

#include "installer/files/ScriptInstall.h"
#include "installer/files/ScriptNames.h"

#include <QList>

#include <functional>

namespace twk::files {

struct BulkInstallReport {
    SourceState source = SourceState::Listed;
    // Why the user scripts folder could not be opened: the one reason every copy failed.
    Status destination;
    QList<ScriptOutcome> scripts; // in the order the source folder listed them

    qsizetype failedCount() const;
    qsizetype keptCount() const;   // copies whose edits were kept
    qsizetype mergedCount() const; // copies Tarnwick's update was merged into
    bool allInstalled() const { return source == SourceState::Listed && failedCount() == 0; }
};

// The progress callback hears of each script once it is finished, never from two threads at
// once.
using InstallProgress = std::function<void(const ScriptOutcome&, qsizetype done, qsizetype total)>;
// With findSource, Tarnwick's folder is what it answers once the run has begun (places.source
// is not used).
BulkInstallReport installAllScripts(const ScriptPlaces& places, EditChoice edits,
                                    const InstallProgress& progress = {}, int threads = 0,
                                    const SourceFinder& findSource = {});

} // namespace twk::files

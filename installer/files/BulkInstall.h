#pragma once

// Installing every script of Tarnwick's scripts folder at once: all are copied first, on
// several threads, then flushed once, then each is put in place. Failures are logged as for
// one script; "error getting script directory" when the folder cannot be listed.

#include "installer/files/ScriptInstall.h"
#include "installer/files/ScriptNames.h"

#include <QList>

#include <functional>
#include <optional>

namespace twk::files {

struct BulkInstallReport {
    SourceState source = SourceState::Listed;
    // Why the user scripts folder could not be opened: the one reason every copy failed.
    Status destination;
    QList<ScriptOutcome> scripts; // in the order the source folder listed them

    qsizetype failedCount() const;
    bool allInstalled() const { return source == SourceState::Listed && failedCount() == 0; }
};

// The progress callback hears of each script once it is finished, never from two threads at
// once.
using InstallProgress = std::function<void(const ScriptOutcome&, qsizetype done, qsizetype total)>;
BulkInstallReport installAllScripts(const std::optional<QString>& sourceFolder,
                                    const QString& userScriptsFolder,
                                    const InstallProgress& progress = {}, int threads = 0);

} // namespace twk::files

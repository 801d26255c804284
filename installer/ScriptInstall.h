#pragma once

// Installing and removing scripts, with the program's log lines: "error copying script: %@"
// when a copy fails, "error deleting: %@" when the old item cannot be moved out of the way,
// and "error getting script directory" when Tarnwick's scripts folder cannot be listed.

#include "installer/Status.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <string>

namespace twk::installer {

struct ScriptOutcome {
    QByteArray name;
    bool installed = false;
    QString error;       // what went wrong, when not installed
    QString trashedName; // the name in the Trash of a copy that differed and was kept there
};

struct BulkInstallReport {
    enum class Listing { Listed, TarnwickNotFound, Unreadable } listing = Listing::Listed;
    // Set when the user scripts folder could not be opened: the one reason every copy failed.
    std::optional<int> destinationError;
    QList<ScriptOutcome> scripts; // in the order the source folder listed them

    qsizetype failedCount() const;
    bool allInstalled() const { return listing == Listing::Listed && failedCount() == 0; }
};

// Installs one script (the last component of the source path) into the folder.
// Failures are logged; the outcome says whether the script is now in place.
ScriptOutcome installScript(const QString& sourcePath, const QString& userScriptsFolder);
// The same for the entry name (file-system bytes) of the source folder.
ScriptOutcome installScriptNamed(const QString& sourceFolder, const QByteArray& name,
                                 const QString& userScriptsFolder);

// Installs every entry of the source folder: all are copied first, on several threads,
// then flushed once, then each is put in place. The progress callback hears of each
// script once it is finished, never from two threads at once.
using InstallProgress = std::function<void(const ScriptOutcome&, qsizetype done, qsizetype total)>;
BulkInstallReport installAllScripts(const std::optional<QString>& sourceFolder,
                                    const QString& userScriptsFolder,
                                    const InstallProgress& progress = {}, int threads = 0);

// Moves the installed copy of one script to the Trash: only that entry of the user scripts
// folder, and only for a single entry name. The name in the Trash, or what went wrong.
struct RemovalOutcome {
    bool removed = false;
    QString error;
    QString trashedName;
};
RemovalOutcome removeInstalledScript(const QString& userScriptsFolder, const QByteArray& name);

} // namespace twk::installer

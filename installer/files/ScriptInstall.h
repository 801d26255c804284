#pragma once

// Installing one script: its copy put in place over whatever had its name, with the program's
// log lines: "error copying script: %@" when the copy fails, "error deleting: %@" when the old
// item cannot be moved out of the way.

#include "installer/files/Folders.h"

#include <QByteArray>
#include <QString>

#include <string>

namespace twk::files {

struct ScriptOutcome {
    QByteArray name;
    Status status;          // success once the script is in place
    QByteArray trashedName; // the name in the Trash of a copy that differed and was kept there
    bool installed() const { return status.ok(); }
};

// Installs one script (the last component of the source path) into the folder.
ScriptOutcome installScript(const QString& sourcePath, const QString& userScriptsFolder);
// The same for the entry name (file-system bytes) of the source folder.
ScriptOutcome installScriptNamed(const QString& sourceFolder, const QByteArray& name,
                                 const QString& userScriptsFolder);

// Logs a failed install with the line its step calls for.
void logInstallFailure(const Status& status);

// Puts what putting a copy in place did into the outcome, logging what went wrong.
struct CommitReport;
void recordCommit(ScriptOutcome& outcome, const Status& status, const CommitReport& report);

} // namespace twk::files

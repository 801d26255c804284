#pragma once

// Installing scripts with the program's log lines: "error copying script: %@" when a copy
// fails, "error deleting: %@" when the old item cannot be replaced or removed, and
// "error getting script directory" when the scripts folder cannot be listed.

#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace twk::installer {

struct ScriptOutcome {
    QString name;
    bool installed = false;
    QString error; // what went wrong, when not installed
};

struct BulkInstallReport {
    enum class Listing { Listed, TarnwickNotFound, Unreadable } listing = Listing::Listed;
    QList<ScriptOutcome> scripts;

    qsizetype failedCount() const;
    bool allInstalled() const { return listing == Listing::Listed && failedCount() == 0; }
};

// Installs one script (the last component of the source path) into the folder.
// Failures are logged; the answer says whether the script is now in place.
bool installScript(const QString& sourcePath, const QString& userScriptsFolder,
                   QString* errorText = nullptr);

// The entry names of a folder, hidden ones included, in the order the file system gives.
std::optional<QStringList> listFolder(const QString& folder);

// Installs every entry of the source folder: all are copied first, then flushed once, then
// each is put in place. The progress callback hears of each script as it is finished,
// with how many are finished of how many there are.
using InstallProgress = std::function<void(const ScriptOutcome&, qsizetype done, qsizetype total)>;
BulkInstallReport installAllScripts(const std::optional<QString>& sourceFolder,
                                    const QString& userScriptsFolder,
                                    const InstallProgress& progress = {});

} // namespace twk::installer

#pragma once

// What Tarnwick offers and what of it is installed: for the script list and the terminal.

#include <QList>
#include <QString>

#include <optional>

namespace twk::installer {

enum class ScriptState {
    Installed,    // installed and the same as Tarnwick's copy
    Different,    // installed, but not the same (changed, older, or of another kind)
    NotInstalled, // no item of that name in the user scripts folder
};

struct CatalogEntry {
    QString name;
    ScriptState state;
};

struct ScriptCatalog {
    enum class Source { Listed, TarnwickNotFound, Unreadable } source = Source::Listed;
    QList<CatalogEntry> scripts; // in natural order
};

// Tarnwick's scripts with their state, sorted with naturalOrderCompare. Items are the same
// when their kinds match, files have the same bytes, links the same target, and folders the
// same entries, each the same.
ScriptCatalog scriptCatalog(const std::optional<QString>& sourceFolder,
                            const QString& userScriptsFolder);

// Whether two items (file, folder or link; never followed) are the same.
bool sameItem(const QString& first, const QString& second);

// "installed", "different" or "not installed" (not translated: for scripts and logs).
QString stateName(ScriptState state);

// Removes the installed copy of one script: only that entry of the user scripts folder,
// and only for a name that is a single entry name. Error text on failure.
std::optional<QString> removeInstalledScript(const QString& userScriptsFolder, const QString& name);

} // namespace twk::installer

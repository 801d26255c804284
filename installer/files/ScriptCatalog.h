#pragma once

// What Tarnwick offers and what of it is installed: for the window's list and the terminal.

#include "installer/files/ScriptNames.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace twk::files {

enum class ScriptState {
    Installed,    // installed and the same as Tarnwick's copy
    Different,    // installed, but not the same (changed, older, or of another kind)
    NotInstalled, // no item of that name in the user scripts folder
};

struct CatalogEntry {
    QByteArray name;
    ScriptState state = ScriptState::NotInstalled;
    ItemKind kind = ItemKind::Missing;
};

// Both folders, opened once, for looking at many scripts.
class CatalogFolders {
public:
    // Opens both folders; with listNames, also reads Tarnwick's script names.
    CatalogFolders(const std::optional<QString>& sourceFolder, const QString& userScriptsFolder,
                   bool listNames = true);

    SourceState source() const { return source_; }
    // Whether the user scripts folder could be opened, and why not.
    const Status& userFolder() const { return userFolder_; }
    // Tarnwick's script names, in the file system's order (empty unless Listed).
    const std::vector<std::string>& names() const { return names_; }
    // One script's kind and state; Missing when Tarnwick no longer has it.
    CatalogEntry entry(const std::string& name) const;

private:
    SourceState source_ = SourceState::Listed;
    Fd sourceFd_, user_;
    Status userFolder_;
    std::vector<std::string> names_;
};

struct ScriptCatalog {
    SourceState source = SourceState::Listed;
    Status userFolder;
    QList<CatalogEntry> scripts; // in natural order of their names
};

// Tarnwick's scripts with their state, sorted with naturalOrderCompare.
ScriptCatalog scriptCatalog(const std::optional<QString>& sourceFolder,
                            const QString& userScriptsFolder);

// The order of the list: naturalOrderCompare of the shown names, then the bytes.
bool comesBefore(const QString& shownA, const QByteArray& a, const QString& shownB,
                 const QByteArray& b);
// Sorts entries in that order.
void sortByName(QList<CatalogEntry>& entries);

} // namespace twk::files

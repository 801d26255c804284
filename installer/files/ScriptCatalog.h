#pragma once

// What Tarnwick offers and what of it is installed, with each script's state: for the window's
// list and the terminal. Looking may teach the install record (a copy found equal to
// Tarnwick's, stamps that changed with the content unchanged, a copy removed by hand); what
// it learned is written by learn().

#include "installer/files/ScriptAssessment.h"
#include "installer/files/ScriptNames.h"
#include "installer/files/ScriptPlaces.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <mutex>
#include <string>
#include <vector>

namespace twk::files {

struct CatalogEntry {
    QByteArray name;
    ScriptState state = ScriptState::NotInstalled;
    ItemKind kind = ItemKind::Missing; // of Tarnwick's copy
    bool listed = false; // Tarnwick has it, or the record names an installed copy of it
};

// Both folders and the record, opened once, for looking at many scripts.
class CatalogFolders {
public:
    // Opens both folders and reads the record; with listNames, also reads Tarnwick's script
    // names, with the names the record keeps of scripts Tarnwick no longer ships.
    explicit CatalogFolders(const ScriptPlaces& places, bool listNames = true);

    SourceState source() const { return source_; }
    // Whether the user scripts folder could be opened, and why not.
    const Status& userFolder() const { return userFolder_; }
    // Why the record cannot be read, when it cannot.
    const Status& record() const { return record_.problem(); }
    // The scripts to look at, in the file system's order (empty unless Listed).
    const std::vector<std::string>& names() const { return names_; }
    // One script's kind and state. May be called from several threads at once.
    CatalogEntry entry(const std::string& name);
    // Writes what looking taught the record; the failure is logged once.
    Status learn();

private:
    ScriptPlaces places_;
    SourceState source_ = SourceState::Listed;
    Fd sourceFd_, user_;
    Status userFolder_;
    InstallRecord record_;
    std::vector<std::string> names_;
    std::mutex learning_;
    RecordChanges changes_;
};

struct ScriptCatalog {
    SourceState source = SourceState::Listed;
    Status userFolder;
    Status record;
    QList<CatalogEntry> scripts; // in natural order of their names
};

// Tarnwick's scripts with their state, sorted with naturalOrderCompare.
ScriptCatalog scriptCatalog(const ScriptPlaces& places);

// The order of the list: naturalOrderCompare of the shown names, then the bytes.
bool comesBefore(const QString& shownA, const QByteArray& a, const QString& shownB,
                 const QByteArray& b);
// Sorts entries in that order.
void sortByName(QList<CatalogEntry>& entries);

} // namespace twk::files

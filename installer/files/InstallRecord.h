#pragma once

// What this program installed, kept in the application's state folder
// ($XDG_STATE_HOME/org.tarnwick.ScriptInstaller/installed.cbor, CBOR: read at every look, it
// must cost little even for thousands of scripts): for each script, the content
// digest of the copy it put in place, that copy's stamp, and the stamp Tarnwick's copy had at
// that moment. With it the program tells the user's edits from Tarnwick's updates, and knows an
// unchanged copy without reading it. Written like the preference file: under a lock with a
// deadline, through a new file renamed into place, merged with what other processes wrote.
// A damaged record is set aside and read as no record; what this version does not know of an
// entry or of the file is kept; a record a newer version wrote is read as none and left alone.

#include "installer/files/RecordCodec.h"

#include <QByteArray>
#include <QCborMap>
#include <QHash>
#include <QList>

#include <map>
#include <optional>
#include <string>

namespace twk::files {

class InstallRecord {
public:
    // The record in the state folder. One that cannot be read leaves an empty record and says
    // why in problem(); the states then rest on comparing contents alone.
    static InstallRecord read(const std::string& stateFolder);

    const RecordEntry* find(const QByteArray& name) const;
    QList<QByteArray> names() const;
    const Status& problem() const { return problem_; }

private:
    QHash<QByteArray, RecordEntry> entries_;
    Status problem_;
};

// Entries to store (new or refreshed) and names to forget, written at once.
struct RecordChanges {
    std::map<QByteArray, std::optional<RecordEntry>> entries; // nullopt: forget the name
    void put(RecordEntry entry) { entries[entry.name] = std::move(entry); }
    void forget(const QByteArray& name) { entries[name] = std::nullopt; }
    void add(const RecordChanges& more);
    bool isEmpty() const { return entries.empty(); }
};

// Writes the changes into the record, merged with what it holds now, then drops the bases it
// no longer names. A failure is logged once per process; installs go on without it.
Status writeRecordChanges(const std::string& stateFolder, const RecordChanges& changes);

// The record's file in a state folder.
std::string recordPath(const std::string& stateFolder);

} // namespace twk::files

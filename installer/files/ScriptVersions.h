#pragma once

// The three versions of a script side by side, leaf by leaf (every entry but its folders): the
// user's installed copy, Tarnwick's copy, and what was installed (its digests from the record,
// its texts from the base store). What the differences and the merge are made of.

#include "installer/files/BaseStore.h"
#include "installer/files/InstallRecord.h"
#include "installer/files/Items.h"
#include "installer/files/ScriptPlaces.h"

#include <QByteArray>

#include <map>
#include <optional>
#include <string>

namespace twk::files {

// One leaf of one copy.
struct LeafVersion {
    Digest digest;
    mode_t mode = 0;         // kind and permissions
    bool held = false;       // a regular file of at most WholeFileLimit bytes, read whole
    QByteArray bytes = {};   // when held
    std::string target = {}; // a link's

    bool isFile() const { return S_ISREG(mode); }
    bool isText() const; // held, and text
    bool isTooLarge() const { return isFile() && !held; }
};

struct LeafVersions {
    std::optional<LeafVersion> yours, theirs;
    std::optional<Digest> base; // what was installed there, when the record says
};

struct ScriptVersions {
    ItemKind yoursKind = ItemKind::Missing, theirsKind = ItemKind::Missing;
    Digest yoursContent, theirsContent;
    bool hasBase = false;                       // the record names what was installed, leaf by leaf
    std::map<std::string, LeafVersions> leaves; // by relative path ("" for a file script)
};

// Reads the user's copy (userFolder) and Tarnwick's (sourceFolder) of the script name; fails
// when either cannot be read (ENOENT when one is missing).
Expected<ScriptVersions> readVersions(int sourceFolder, int userFolder, const std::string& name,
                                      const RecordEntry* recorded);
// The same, opening the places and reading the record.
Expected<ScriptVersions> readVersions(const ScriptPlaces& places, const QByteArray& name);

std::string nativePath(const QString& path);

} // namespace twk::files

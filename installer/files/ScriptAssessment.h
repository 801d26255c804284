#pragma once

// What state a script is in, from the install record and the two copies: whether the user
// changed the installed copy, whether Tarnwick changed its own, both or neither. Equal means
// equal content, never only equal size and date. A copy whose stamp the record vouches for is
// known without being read.

#include "installer/files/InstallRecord.h"
#include "installer/files/Items.h"

#include <functional>
#include <optional>

namespace twk::files {

enum class ScriptState {
    NotInstalled,     // no item of that name in the user scripts folder
    Installed,        // the installed copy is Tarnwick's
    UpdateAvailable,  // the installed copy is as installed; Tarnwick's has changed
    Edited,           // the user changed the installed copy; Tarnwick's is as installed
    EditedAndUpdated, // both changed
    Different,        // no record, and the copies differ: installed by hand or an older version
    NoLongerShipped,  // the record names it, Tarnwick no longer has it, a copy is installed
};

// Whether replacing the installed copy would discard the user's work.
inline bool holdsEdits(ScriptState state) {
    return state == ScriptState::Edited || state == ScriptState::EditedAndUpdated ||
           state == ScriptState::Different;
}

struct Assessment {
    ScriptState state = ScriptState::NotInstalled;
    ItemKind kind = ItemKind::Missing; // of Tarnwick's copy
    bool listed = false;               // whether the script belongs in the list at all
    // Tarnwick's copy as it was assessed, for the record of an install that follows.
    std::optional<Stamp> sourceStamp;
    std::optional<Digest> sourceDigest;
    // The installed copy as it was assessed, and its content when known: what the swap of an
    // install that follows hands back is that copy when its stamp still says so.
    std::optional<Stamp> installedStamp;
    std::optional<Digest> installedDigest;
    // What the names held when they were looked at (none: nothing had the name), so that an
    // install that follows need not look again.
    std::optional<struct stat> sourceEntry, installedEntry;
    // What the record should learn: a refreshed or new entry, or the name forgotten.
    RecordChanges changes;
};

// Reads Tarnwick's copy whole when its content must be known: an install reads it once, for
// the digest and the bases at a time.
using SourceReader = std::function<Expected<Digest>(int folder, const std::string& name)>;

// The state of the script name. sourceFolder and userFolder are open folders, or -1 when there
// is none; recorded is the record's entry, if any.
Assessment assessScript(int sourceFolder, int userFolder, const std::string& name,
                        const RecordEntry* recorded, const SourceReader& readSource = {});

} // namespace twk::files

#pragma once

// What state a script is in, from the install record and the two copies: whether the user
// changed the installed copy, whether Tarnwick changed its own, both or neither. Equal means
// equal content, never only equal size and date. A copy whose stamp the record vouches for is
// known without being read.

#include "installer/files/InstallRecord.h"
#include "installer/files/Items.h"

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
    // What the record should learn: a refreshed or new entry, or the name forgotten.
    RecordChanges changes;
};

// The state of the script name. sourceFolder and userFolder are open folders, or -1 when there
// is none; recorded is the record's entry, if any.
Assessment assessScript(int sourceFolder, int userFolder, const std::string& name,
                        const RecordEntry* recorded);

} // namespace twk::files

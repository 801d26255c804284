#pragma once

// What the user sees of a script before agreeing to install it: what kind of item it is,
// how big, the state of its installed copy, and a text script's first
// lines (bounded, control characters written out).

#include "installer/files/ScriptCatalog.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace twk::files {

struct ScriptDetails {
    ItemMeasure measure;
    ScriptState state = ScriptState::NotInstalled;
    QString firstLines; // empty unless the script is a text file
};

inline constexpr int PreviewLines = 12;
inline constexpr int PreviewBytes = 2048;

ScriptDetails scriptDetails(const ScriptPlaces& places, const QByteArray& name);

} // namespace twk::files

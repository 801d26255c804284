#pragma once

// What the user sees of a script before agreeing to install it: what kind of item it is,
// how big, whether a copy is installed and whether it differs, and a text script's first
// lines (bounded, control characters written out).

#include "installer/files/Items.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace twk::files {

struct ScriptDetails {
    ItemMeasure measure;
    bool installed = false;
    bool differs = false;
    QString firstLines; // empty unless the script is a text file
};

inline constexpr int PreviewLines = 12;
inline constexpr int PreviewBytes = 2048;

ScriptDetails scriptDetails(const QString& sourceFolder, const QString& userScriptsFolder,
                            const QByteArray& name);

} // namespace twk::files

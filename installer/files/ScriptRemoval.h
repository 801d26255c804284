#pragma once

// Removing an installed script: its copy moved to the Trash, restorable under its own name.

#include "installer/files/Folders.h"

#include <QByteArray>
#include <QString>

namespace twk::files {

// Moves the installed copy of one script to the Trash: only that entry of the user scripts
// folder, and only for a single entry name. The name it has in the Trash; the failure is
// logged ("error deleting: %@") when the move itself failed.
Expected<QByteArray> removeInstalledScript(const QString& userScriptsFolder,
                                           const QByteArray& name);

} // namespace twk::files

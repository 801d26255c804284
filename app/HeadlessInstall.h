#pragma once

#include <QStringList>

namespace twk::app {

// --install-all: installs every Tarnwick script without a window, one line per script on
// standard output. Exit status 0 only when every script was installed.
int runHeadlessInstallAll();

// --install NAME...: installs the named scripts without asking, with the same name checks as
// install requests. Exit status 0 only when every one was installed.
int runHeadlessInstall(const QStringList& names);

// --list [--json]: Tarnwick's scripts and their state, one per line or as JSON.
int runList(bool json);

} // namespace twk::app

#pragma once

// What the installer does from a terminal, without a window. Names are printed with their
// control and direction characters written out, never sent to the terminal raw.

#include <QByteArray>
#include <QList>

namespace twk::app {

// --install-all: installs every Tarnwick script, one line per script on standard output.
// Exit status 0 only when every script was installed.
int runHeadlessInstallAll();

// --install NAME...: installs the named scripts without asking, with the same name checks as
// install requests. Exit status 0 only when every one was installed.
int runHeadlessInstall(const QList<QByteArray>& names);

// --remove NAME...: moves the installed copies of the named scripts to the Trash, with the
// same name checks. Exit status 0 only when every one was moved.
int runHeadlessRemove(const QList<QByteArray>& names);

// --list [--json]: Tarnwick's scripts and their state, one per line or as JSON.
int runList(bool json);

} // namespace twk::app

#pragma once

// What the installer does from a terminal, without a window. Names are printed with their
// control and direction characters written out, never sent to the terminal raw.

#include "installer/files/ScriptInstall.h"

#include <QByteArray>
#include <QList>

namespace twk::app {

// The exit status of an install that failed nowhere but kept copies the user had edited.
inline constexpr int EditsKeptStatus = 3;

// --install-all: installs every Tarnwick script, one line per script on standard output.
// Copies the user edited stay unless edits is Replace (--replace-edited), or Merge (--merge)
// and Tarnwick's update merges cleanly into them; a merge whose changes collide is saved
// beside the user scripts folder and its conflicts printed. Exit status 0 when every script is
// installed, 1 when one failed, EditsKeptStatus when edits were kept.
int runHeadlessInstallAll(files::EditChoice edits);

// --install NAME...: installs the named scripts without asking, with the same name checks as
// install requests, and the same exit statuses.
int runHeadlessInstall(const QList<QByteArray>& names, files::EditChoice edits);

// --remove NAME...: moves the installed copies of the named scripts to the Trash, with the
// same name checks. Exit status 0 only when every one was moved.
int runHeadlessRemove(const QList<QByteArray>& names);

// --list [--json]: Tarnwick's scripts and their state, one per line or as JSON.
int runList(bool json);

// --diff NAME: how the installed copy differs from Tarnwick's, as a unified diff, coloured
// only on a terminal. Exit status 0 when they are the same, 1 when they differ, 2 when they
// cannot be compared.
int runDiff(const QByteArray& name);

} // namespace twk::app

#pragma once

// Finding and opening other applications, through GIO and the freedesktop rules.

#include "support/posix/Status.h"

#include <QString>

#include <optional>

namespace twk::platform {

// The location of the application that would open the URL (its scheme's default handler):
// the desktop entry's Path key, or without one the folder of its resolved executable.
// Absent when no application handles the scheme. The URL is never opened.
std::optional<QString> urlForApplicationToOpenUrl(const QString& url);

// Stops the watches GIO keeps on the folders of desktop entries. It keeps them for as long as
// the process lives, to see applications installed meanwhile; a run that looks Tarnwick up once
// and ends has no use for them, and a watch still in place when a process ends makes the end
// wait for the kernel to retire it (10 to 20 ms, more than a whole run with nothing to do).
// Dropped early, they are retired while the run works. For terminal runs only: a window keeps
// its watches and sees Tarnwick arrive.
void dropApplicationFolderWatches();

// Opens the URL with the application the desktop has for it.
posix::Status openUrl(const QString& url);

// Shows a file or folder in the desktop's file browser.
posix::Status openFile(const QString& path);

} // namespace twk::platform

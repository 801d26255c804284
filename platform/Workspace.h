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

// Opens the URL with the application the desktop has for it.
posix::Status openUrl(const QString& url);

// Shows a file or folder in the desktop's file browser.
posix::Status openFile(const QString& path);

} // namespace twk::platform

#pragma once

// Files that are whole at every moment: replaced by a new file written beside them, flushed and
// renamed into place, so a crash at any point leaves the old file or the new one, never a part;
// and files that cannot be used set aside under a name no other file has, never replacing one.

#include "support/posix/Expected.h"

#include <QByteArray>

#include <string>

namespace twk::posix {

// Writes the bytes to a new file beside target (mode 0600), flushes it and renames it over
// target. On failure target is as it was and nothing is left beside it.
Status replaceFile(const std::string& target, const QByteArray& bytes);

// Moves the file at path to "<path>.damaged-<UTC time>" (with "-2", "-3"... should that name
// be taken): the name it went to.
Expected<std::string> setAside(const std::string& path);

} // namespace twk::posix

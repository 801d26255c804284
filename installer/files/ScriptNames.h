#pragma once

// Scripts are known by their entry names: file-system bytes, never a path. A name that is
// not UTF-8 is a name like any other.

#include "installer/files/Items.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace twk::files {

// Whether a name names one entry of a folder: not empty, not "." or "..", no "/" or NUL.
bool isValidScriptName(const QByteArray& name);

// How far Tarnwick's scripts folder could be listed.
enum class SourceState { Listed, TarnwickNotFound, Unreadable };

// A script looked up by name in Tarnwick's scripts folder, the same way for install
// requests, the terminal and the list: the entry itself, never what a link points to.
struct ResolvedScript {
    enum class Result { Found, InvalidName, TarnwickNotFound, NotFound } result;
    ItemKind kind = ItemKind::Missing;
};
ResolvedScript resolveScript(const std::optional<QString>& sourceFolder, const QByteArray& name);

} // namespace twk::files

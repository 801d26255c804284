#pragma once

// The standard folders by the kinds and domains callers of the helper library number them.

#include <QString>

#include <optional>

namespace twk::strings {

// Directory kinds and domain masks as callers of the helper library number them
// (e.g. 9 documents, 12 desktop, 13 caches, 14 application support, 15 downloads;
// domains 1 user, 2 local, 4 network, 8 system). Absent where Linux has no such folder.
std::optional<QString> userDirectoryOfType(quint64 directoryKind, quint64 domainMask);
std::optional<QString> userDirectoryOfType(quint64 directoryKind);

} // namespace twk::strings

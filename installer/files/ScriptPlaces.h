#pragma once

// Where scripts are: Tarnwick's scripts folder (absent when Tarnwick is not found), the user
// scripts folder, and the state folder that holds the install record. Paths as text; the
// engine turns them into file-system bytes.

#include <QString>

#include <functional>
#include <optional>

namespace twk::files {

struct ScriptPlaces {
    std::optional<QString> source;
    QString user;
    QString state;
};

// Where Tarnwick's scripts folder is, for work that may begin before it is known.
using SourceFinder = std::function<std::optional<QString>()>;

} // namespace twk::files

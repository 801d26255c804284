#pragma once

// Where Tarnwick's scripts come from, where installed scripts go and where the record of what
// was installed is kept, looked up anew at every use: Tarnwick is the application the desktop
// would open "twkrelaunch://test" with.

#include "installer/files/ScriptPlaces.h"

#include <QString>

#include <optional>

namespace twk::installer {

inline constexpr char TarnwickProbeUrl[] = "twkrelaunch://test";
inline constexpr char SourceScriptsSubpath[] = "/Contents/Resources/TWK_Scripts";
inline constexpr char MenuExtensionBundleId[] = "org.tarnwick.Tarnwick.MenuExtension";

// The scripts folder inside the Tarnwick application; absent when Tarnwick is not found.
std::optional<QString> sourceScriptsFolder();

// "~/Library/Application Scripts/org.tarnwick.Tarnwick.MenuExtension", "~" expanded.
QString userScriptsFolder();

// The application's own state folder, where the install record lies:
// $XDG_STATE_HOME/org.tarnwick.ScriptInstaller.
QString stateFolder();

// All three, looked up now.
files::ScriptPlaces scriptPlaces();

} // namespace twk::installer

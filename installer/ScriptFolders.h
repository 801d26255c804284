#pragma once

// Where Tarnwick's scripts come from and where installed scripts go.

#include <QString>

#include <optional>

namespace twk::installer {

// Tarnwick is the application the desktop would open "twkrelaunch://test" with.
inline constexpr char TarnwickProbeUrl[] = "twkrelaunch://test";
inline constexpr char SourceScriptsSubpath[] = "/Contents/Resources/TWK_Scripts";
inline constexpr char MenuExtensionBundleId[] = "org.tarnwick.Tarnwick.MenuExtension";

// The scripts folder inside the Tarnwick application; absent when Tarnwick is not found.
std::optional<QString> sourceScriptsFolder();

// "~/Library/Application Scripts/org.tarnwick.Tarnwick.MenuExtension", "~" expanded.
QString userScriptsFolder();

// Whether a name from an install request names one entry of a folder: not empty, not "."
// or "..", no "/" and no NUL.
bool isValidScriptName(const QString& name);

} // namespace twk::installer

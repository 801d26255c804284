#pragma once

// Where Tarnwick's scripts come from and where installed scripts go, looked up anew at every
// use: Tarnwick is the application the desktop would open "twkrelaunch://test" with.

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

} // namespace twk::installer

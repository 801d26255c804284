#pragma once

// Where Tarnwick's scripts come from, where installed scripts go, and how a script is
// found by its name. Script names are file-system bytes: a name that is not UTF-8 is a
// name like any other, shown with replacement characters.

#include "installer/Items.h"

#include <QByteArray>
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

// Whether a name names one entry of a folder: not empty, not "." or "..", no "/" or NUL.
bool isValidScriptName(const QByteArray& name);

// The text shown for a script name.
inline QString displayName(const QByteArray& name) {
    return QString::fromUtf8(name);
}

// A script looked up by name in Tarnwick's scripts folder, the same way for install
// requests, the terminal and the list: the entry itself, never what a link points to.
struct ResolvedScript {
    enum class Result { Found, InvalidName, TarnwickNotFound, NotFound } result;
    ItemKind kind = ItemKind::Missing;
};
ResolvedScript resolveScript(const std::optional<QString>& sourceFolder, const QByteArray& name);

} // namespace twk::installer

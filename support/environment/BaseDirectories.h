#pragma once

// The user's folders by the freedesktop base-directory rules: only absolute values of HOME
// and XDG_*_HOME count. An unset or relative HOME gives the home folder of the password
// database (as GLib does); an unset or relative XDG value gives its default under home.

#include <QString>

namespace twk::environment {

QString homeFolder();
QString configHome(); // $XDG_CONFIG_HOME, or ~/.config
QString dataHome();   // $XDG_DATA_HOME, or ~/.local/share
QString stateHome();  // $XDG_STATE_HOME, or ~/.local/state

// Makes the process environment follow those rules, so that Qt, GIO and every child see
// the same folders: HOME set to the home folder, relative XDG_* values removed. Call it
// first thing in main, before any thread exists.
void sanitizeEnvironment();

} // namespace twk::environment

#pragma once

namespace twk::app {

// --install-all: installs every Tarnwick script without a window, one line per script on
// standard output. Exit status 0 only when every script was installed.
int runHeadlessInstallAll();

} // namespace twk::app

#pragma once

// The window, its sheets and everything they draw with live in a module of their own, loaded
// only when a window may be wanted: a run from a terminal never pays for loading Qt Widgets,
// Qt GUI and the display libraries under them.

#include "app/CommandLine.h"

namespace twk::app {

// Loads the window module (beside the program in a build, in the program's library folder
// when installed) and runs the application with its window; 1, said on stderr, when the
// module cannot be loaded.
int runWindowModule(CommandLine& line);

} // namespace twk::app

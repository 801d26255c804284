#pragma once

// The one function the window module offers the program: it runs the application with its
// window for the command line given, and returns the exit status.

#include "app/CommandLine.h"

namespace twk::app {

using WindowEntry = int (*)(CommandLine* line);
inline constexpr const char* WindowEntryName = "twk_run_window_application";

} // namespace twk::app

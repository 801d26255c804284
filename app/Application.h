#pragma once

#include "app/CommandLine.h"

#include <functional>

class QWidget;

namespace twk::app {

// Runs the installer with its window: hands the URLs to a running instance when there is
// one (having the bus start one first when there are URLs), and returns at once; otherwise
// becomes the instance, shows the window (not in service mode, until it is needed) and
// handles the URLs. afterShown, when given, is called once the window is on screen.
int runWindowApplication(CommandLine& line,
                         const std::function<void(QWidget& window)>& afterShown = {});

} // namespace twk::app

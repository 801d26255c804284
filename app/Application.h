#pragma once

#include <QStringList>

#include <functional>

class QWidget;

namespace twk::app {

// Runs the installer with its window: hands the URLs to a running instance when there is
// one (and returns 0 at once), or becomes the instance, shows the window and handles the
// URLs. afterShown, when given, is called once the window is on screen (for measurements).
int runWindowApplication(char* program, const QStringList& urls,
                         const std::function<void(QWidget& window)>& afterShown = {});

} // namespace twk::app

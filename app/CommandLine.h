#pragma once

#include <QStringList>

namespace twk::app {

// What a launch was asked to do. URLs are data: any argument with a scheme ("x:...") is a
// URL even when it begins with "-", and everything after "--" is a URL.
struct CommandLine {
    enum class Mode { Window, Help, Version, InstallAll, List, Install, Error } mode = Mode::Window;
    QStringList urls;
    QStringList names; // --install: every argument after it is a script name
    bool json = false; // --list --json
    QString error;
};

CommandLine parseCommandLine(const QStringList& arguments);

QString usageText();

} // namespace twk::app

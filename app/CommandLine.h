#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace twk::app {

// What a launch was asked to do. URLs are data, never options: any argument with a scheme
// ("x:...") is a URL even when it begins with "-", and so is everything after "--". Script
// names are kept as the bytes they were given in. Whatever is neither ours nor a URL is
// left for Qt's own options (-style, -platform...), which the window reads.
struct CommandLine {
    enum class Mode {
        Window,  // the window, handling the URLs
        Service, // started by the bus: no window until one is needed
        Help,
        Version,
        InstallAll,
        List,
        Install,
        Remove,
        Diff,
        Error,
    } mode = Mode::Window;
    QStringList urls;
    QList<QByteArray> names;        // --install, --remove and --diff: every argument after it
    std::vector<char*> qtArguments; // the program first, then what is left for Qt
    bool json = false;              // --list --json
    bool replaceEdited = false;     // --install and --install-all: edits go to the Trash
    bool merge = false;             // --install and --install-all: updates merged into edits
    QString error;

    bool isTerminalMode() const {
        return mode == Mode::InstallAll || mode == Mode::List || mode == Mode::Install ||
               mode == Mode::Remove || mode == Mode::Diff;
    }
};

CommandLine parseCommandLine(int argc, char** argv);

QString usageText();

} // namespace twk::app

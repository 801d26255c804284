#include "app/CommandLine.h"
#include "app/HeadlessInstall.h"
#include "app/Translations.h"
#include "app/WindowModule.h"
#include "support/environment/BaseDirectories.h"

#include <QCoreApplication>

#include <cstdio>

using namespace twk;

namespace {

int runInTerminal(const app::CommandLine& line, char* program) {
    // No window: nothing of the GUI is loaded.
    int qtArgc = 1;
    char* qtArgv[] = {program, nullptr};
    QCoreApplication application(qtArgc, qtArgv);
    app::installTranslators(application);
    const auto edits = line.replaceEdited ? files::EditChoice::Replace
                       : line.merge       ? files::EditChoice::Merge
                                          : files::EditChoice::Keep;
    switch (line.mode) {
    case app::CommandLine::Mode::List:
        return app::runList(line.json);
    case app::CommandLine::Mode::Install:
        return app::runHeadlessInstall(line.names, edits);
    case app::CommandLine::Mode::Remove:
        return app::runHeadlessRemove(line.names);
    case app::CommandLine::Mode::Diff:
        return app::runDiff(line.names.first());
    default:
        return app::runHeadlessInstallAll(edits);
    }
}

// Help and errors, in the user's language.
int explain(int argc, char** argv) {
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QCoreApplication application(qtArgc, qtArgv);
    app::installTranslators(application);
    const app::CommandLine line = app::parseCommandLine(argc, argv);
    if (line.mode == app::CommandLine::Mode::Help) {
        std::fputs(app::usageText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    std::fprintf(stderr, "twk-script-installer: %s\n\n%s", line.error.toLocal8Bit().constData(),
                 app::usageText().toLocal8Bit().constData());
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    // Before anything reads it, and before any thread exists: HOME and the XDG folders as
    // the freedesktop rules have them, for us, GIO and Qt alike.
    environment::sanitizeEnvironment();
    app::CommandLine line = app::parseCommandLine(argc, argv);
    switch (line.mode) {
    case app::CommandLine::Mode::Help:
    case app::CommandLine::Mode::Error:
        return explain(argc, argv);
    case app::CommandLine::Mode::Version:
        std::printf("twk-script-installer %s\n", TWK_VERSION);
        return 0;
    default:
        break;
    }
    if (line.isTerminalMode())
        return runInTerminal(line, argv[0]);
    return app::runWindowModule(line);
}

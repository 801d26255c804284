#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/HeadlessInstall.h"

#include <QCoreApplication>

#include <cstdio>

using namespace twk;

namespace {

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

} // namespace

int main(int argc, char** argv) {
    const app::CommandLine line = app::parseCommandLine(argumentsOf(argc, argv));
    switch (line.mode) {
    case app::CommandLine::Mode::Help:
        std::fputs(app::usageText().toLocal8Bit().constData(), stdout);
        return 0;
    case app::CommandLine::Mode::Version:
        std::printf("twk-script-installer %s\n", TWK_VERSION);
        return 0;
    case app::CommandLine::Mode::Error:
        std::fprintf(stderr, "twk-script-installer: %s\n\n%s", line.error.toLocal8Bit().constData(),
                     app::usageText().toLocal8Bit().constData());
        return 2;
    case app::CommandLine::Mode::InstallAll:
    case app::CommandLine::Mode::Install:
    case app::CommandLine::Mode::List: {
        // Terminal use: no window, so nothing of the GUI is loaded.
        int qtArgc = 1;
        char* qtArgv[] = {argv[0], nullptr};
        QCoreApplication application(qtArgc, qtArgv);
        if (line.mode == app::CommandLine::Mode::List)
            return app::runList(line.json);
        if (line.mode == app::CommandLine::Mode::Install)
            return app::runHeadlessInstall(line.names);
        return app::runHeadlessInstallAll();
    }
    case app::CommandLine::Mode::Window:
        break;
    }
    return app::runWindowApplication(argv[0], line.urls);
}

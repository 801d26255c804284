#include "app/AppDelegate.h"
#include "app/CommandLine.h"
#include "app/HeadlessInstall.h"
#include "app/MainWindow.h"
#include "app/SingleInstance.h"
#include "installer/UIManager.h"
#include "support/defaults/UserDefaults.h"
#include "support/log/SystemLog.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <cstdio>

using namespace twk;

namespace {

QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

int runApplication(char* program, const QStringList& urls) {
    // A running instance takes the request; this launch then needs no window at all.
    if (app::forwardToRunningInstance(urls) == app::Forwarding::Delivered)
        return 0;

    // Qt sees no arguments but the program's name: URLs are never read as Qt options.
    int qtArgc = 1;
    char* qtArgv[] = {program, nullptr};
    QApplication application(qtArgc, qtArgv);
    QApplication::setApplicationName(QStringLiteral("twk-script-installer"));
    QApplication::setApplicationDisplayName(QStringLiteral("TWK Script Installer"));
    QApplication::setApplicationVersion(QStringLiteral(TWK_VERSION));
    QApplication::setDesktopFileName(QLatin1String(defaults::ApplicationId));
    QApplication::setWindowIcon(QIcon::fromTheme(QLatin1String(defaults::ApplicationId)));
    QApplication::setQuitOnLastWindowClosed(false);

    installer::UIManager uiManager;
    app::AppDelegate delegate;
    auto window = std::make_unique<app::MainWindow>();
    window->connectController(&uiManager);
    uiManager.setMainWindow(window.get());
    delegate.setWindow(std::move(window));
    delegate.setUiManager(&uiManager);
    uiManager.awakeFromNib();

    app::ApplicationService service;
    delegate.applicationWillFinishLaunching(&service);
    switch (service.registerOnSessionBus()) {
    case app::ApplicationService::Registration::Owner:
        break;
    case app::ApplicationService::Registration::Taken:
        // Another launch became the instance meanwhile: hand it the request.
        if (app::forwardToRunningInstance(urls) == app::Forwarding::Delivered)
            return 0;
        log::systemLog(QStringLiteral("another instance owns %1 but does not answer; handling "
                                      "this request alone")
                           .arg(QLatin1String(defaults::ApplicationId)));
        break;
    case app::ApplicationService::Registration::NoBus:
        log::systemLog(QStringLiteral("no session bus: this instance cannot be reached by later "
                                      "launches"));
        break;
    }

    delegate.window()->show();
    // The launch's own URLs go through the event loop like every later one.
    for (const QString& url : urls)
        QTimer::singleShot(0, &delegate, [&delegate, url] { delegate.handleURLEvent(url); });
    delegate.applicationDidFinishLaunching();
    const int status = QApplication::exec();
    delegate.applicationWillTerminate();
    return status;
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
    case app::CommandLine::Mode::InstallAll: {
        int qtArgc = 1;
        char* qtArgv[] = {argv[0], nullptr};
        QCoreApplication application(qtArgc, qtArgv);
        return app::runHeadlessInstallAll();
    }
    case app::CommandLine::Mode::Window:
        break;
    }
    return runApplication(argv[0], line.urls);
}

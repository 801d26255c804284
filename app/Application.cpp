#include "app/Application.h"

#include "app/AppDelegate.h"
#include "app/MainWindow.h"
#include "app/SingleInstance.h"
#include "installer/UIManager.h"
#include "support/defaults/UserDefaults.h"
#include "support/log/SystemLog.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

namespace twk::app {

int runWindowApplication(char* program, const QStringList& urls,
                         const std::function<void(QWidget& window)>& afterShown) {
    // A running instance takes the request; this launch then needs no window at all.
    if (forwardToRunningInstance(urls) == Forwarding::Delivered)
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
    AppDelegate delegate;
    auto window = std::make_unique<MainWindow>();
    window->connectController(&uiManager);
    uiManager.setMainWindow(window.get());
    delegate.setWindow(std::move(window));
    delegate.setUiManager(&uiManager);
    uiManager.awakeFromNib();

    ApplicationService service;
    delegate.applicationWillFinishLaunching(&service);
    switch (service.registerOnSessionBus()) {
    case ApplicationService::Registration::Owner:
        break;
    case ApplicationService::Registration::Taken:
        // Another launch became the instance meanwhile: hand it the request.
        if (forwardToRunningInstance(urls) == Forwarding::Delivered)
            return 0;
        log::systemLog(QStringLiteral("another instance owns %1 but does not answer; handling "
                                      "this request alone")
                           .arg(QLatin1String(defaults::ApplicationId)));
        break;
    case ApplicationService::Registration::NoBus:
        log::systemLog(QStringLiteral("no session bus: this instance cannot be reached by later "
                                      "launches"));
        break;
    }

    delegate.window()->show();
    if (afterShown)
        QTimer::singleShot(0, &delegate,
                           [&delegate, &afterShown] { afterShown(*delegate.window()); });
    // The launch's own URLs go through the event loop like every later one.
    for (const QString& url : urls)
        QTimer::singleShot(0, &delegate, [&delegate, url] { delegate.handleURLEvent(url); });
    delegate.applicationDidFinishLaunching();
    const int status = QApplication::exec();
    delegate.applicationWillTerminate();
    return status;
}

} // namespace twk::app

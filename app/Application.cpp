#include "app/Application.h"

#include "app/AppDelegate.h"
#include "app/MainWindow.h"
#include "app/SingleInstance.h"
#include "app/Translations.h"
#include "installer/UIManager.h"
#include "platform/GlibLoop.h"
#include "support/environment/ApplicationId.h"
#include "support/log/SystemLog.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <cstdio>

namespace twk::app {
namespace {

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(Application)
};

// Forwards the launch's request to a running instance; the exit status when that settled
// it, nothing when this launch must handle it itself.
std::optional<int> forwarded(const CommandLine& line) {
    if (line.mode == CommandLine::Mode::Service)
        return std::nullopt;
    switch (forwardToRunningInstance(line.urls, !line.urls.isEmpty())) {
    case Forwarding::Delivered:
        return 0;
    case Forwarding::Refused:
        std::fprintf(stderr, "twk-script-installer: %s\n",
                     qPrintable(Texts::tr("the running installer refused the request")));
        return 1;
    case Forwarding::OwnerGone:
    case Forwarding::NoInstance:
    case Forwarding::NoBus:
        break;
    }
    return std::nullopt;
}

// A service started by the bus quits once it has nothing to do and nothing to show.
void quitWhenIdle(installer::UIManager& controller, QWidget& window) {
    auto* timer = new QTimer(&controller);
    timer->setInterval(30000);
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, &controller, [&controller, &window, timer] {
        if (controller.isBusy() || window.isVisible())
            timer->start();
        else
            QCoreApplication::quit();
    });
    QObject::connect(&controller, &installer::UIManager::idle, timer, qOverload<>(&QTimer::start));
    timer->start();
}

} // namespace

int runWindowApplication(CommandLine& line,
                         const std::function<void(QWidget& window)>& afterShown) {
    if (const auto status = forwarded(line))
        return *status;

    int qtArgc = int(line.qtArguments.size());
    line.qtArguments.push_back(nullptr);
    QApplication application(qtArgc, line.qtArguments.data());
    // What Qt did not take as its own options: options nobody knows are refused; a stray word
    // is no request (every URL was taken before Qt saw the line) and is left alone.
    const QStringList left = QCoreApplication::arguments().mid(1);
    for (const QString& argument : left) {
        if (argument.startsWith(u'-')) {
            std::fprintf(stderr, "twk-script-installer: %s\n",
                         qPrintable(Texts::tr("unknown option: %1").arg(argument)));
            return 2;
        }
    }
    installTranslators(application);
    QApplication::setApplicationName(QStringLiteral("twk-script-installer"));
    QApplication::setApplicationDisplayName(Texts::tr("TWK Script Installer"));
    QApplication::setApplicationVersion(QStringLiteral(TWK_VERSION));
    QApplication::setDesktopFileName(QLatin1String(environment::ApplicationId));
    QApplication::setWindowIcon(QIcon::fromTheme(QLatin1String(environment::ApplicationId)));
    QApplication::setQuitOnLastWindowClosed(false);
    platform::runGlibFromQtEventLoop();

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
        if (forwardToRunningInstance(line.urls, false) == Forwarding::Delivered)
            return 0;
        log::systemLog(QStringLiteral("another instance owns %1 but took no request; handling "
                                      "this one alone")
                           .arg(QLatin1String(environment::ApplicationId)));
        break;
    case ApplicationService::Registration::NoBus:
        log::systemLog(QStringLiteral("no session bus: this instance cannot be reached by later "
                                      "launches"));
        break;
    }

    const bool service_mode = line.mode == CommandLine::Mode::Service;
    if (service_mode)
        quitWhenIdle(uiManager, *delegate.window());
    else
        delegate.window()->show();
    if (afterShown)
        QTimer::singleShot(0, &delegate,
                           [&delegate, &afterShown] { afterShown(*delegate.window()); });
    // The launch's own URLs go through the event loop like every later one.
    const QStringList urls = line.urls;
    QTimer::singleShot(0, &delegate, [&delegate, urls] {
        for (const QString& url : urls)
            delegate.handleURLEvent(url);
    });
    delegate.applicationDidFinishLaunching();
    const int status = QApplication::exec();
    delegate.applicationWillTerminate();
    return status;
}

} // namespace twk::app

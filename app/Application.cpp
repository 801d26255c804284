#include "app/Application.h"

#include "app/AppDelegate.h"
#include "app/MainWindow.h"
#include "app/SingleInstance.h"
#include "app/Translations.h"
#include "installer/ScriptFolders.h"
#include "installer/UIManager.h"
#include "platform/GlibLoop.h"
#include "support/environment/ApplicationId.h"
#include "support/log/SystemLog.h"

#include <QApplication>
#include <QIcon>
#include <QThreadPool>
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

// Claims the bus name; false when another launch became the instance meanwhile and took
// this launch's request (or, with none, came forward), so this one has nothing left to do.
bool becomeInstance(ApplicationService& service, const QStringList& urls) {
    switch (service.registerOnSessionBus()) {
    case ApplicationService::Registration::Owner:
        break;
    case ApplicationService::Registration::Taken:
        if (forwardToRunningInstance(urls, false) == Forwarding::Delivered)
            return false;
        log::systemLog(QStringLiteral("another instance owns %1 but took no request; handling "
                                      "this one alone")
                           .arg(QLatin1String(environment::ApplicationId)));
        break;
    case ApplicationService::Registration::NoBus:
        log::systemLog(QStringLiteral("no session bus: this instance cannot be reached by later "
                                      "launches"));
        break;
    }
    return true;
}

// Has GIO find Tarnwick once on a worker thread, so that the request's own look-up finds
// GIO's tables of applications made. What it found is not kept: the request looks again.
void lookForTarnwickMeanwhile() {
    QThreadPool::globalInstance()->start([] { (void)installer::sourceScriptsFolder(); });
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

    // A request on the command line, or a start by the bus (which is for a request), first
    // needs Tarnwick: GIO looks for it on a worker thread while the window is made.
    const bool serviceMode = line.mode == CommandLine::Mode::Service;
    const bool request = serviceMode || !line.urls.isEmpty();
    if (request)
        lookForTarnwickMeanwhile();

    installer::UIManager uiManager;
    AppDelegate delegate;
    auto window = std::make_unique<MainWindow>();
    MainWindow* mainWindow = window.get();
    window->connectController(&uiManager);
    uiManager.setMainWindow(window.get());
    delegate.setWindow(std::move(window));
    delegate.setUiManager(&uiManager);
    uiManager.awakeFromNib();

    ApplicationService service;
    delegate.applicationWillFinishLaunching(&service);
    if (request) {
        // The request's sheet needs to know this launch is the instance; and the bus that
        // started a service holds the request until the name is ours.
        const QStringList urls = line.urls;
        if (!becomeInstance(service, urls))
            return 0;
        mainWindow->holdListForRequest();
        // The launch's own URLs go through the event loop like every later one.
        QTimer::singleShot(0, &delegate, [&delegate, &uiManager, mainWindow, urls] {
            for (const QString& url : urls)
                delegate.handleURLEvent(url);
            if (!uiManager.isBusy())
                mainWindow->releaseListHold(); // no request among them
        });
        if (serviceMode)
            quitWhenIdle(uiManager, *mainWindow);
        else
            mainWindow->show();
    } else {
        // The first frame first; the bus learns of this instance right after it.
        QObject::connect(
            mainWindow, &MainWindow::firstFrameShown, &delegate,
            [&service] {
                if (!becomeInstance(service, {}))
                    QCoreApplication::exit(0); // the instance that won came forward
            },
            Qt::SingleShotConnection);
        mainWindow->show();
    }
    if (afterShown)
        QTimer::singleShot(0, &delegate,
                           [&delegate, &afterShown] { afterShown(*delegate.window()); });
    delegate.applicationDidFinishLaunching();
    const int status = QApplication::exec();
    delegate.applicationWillTerminate();
    return status;
}

} // namespace twk::app

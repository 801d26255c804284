#include "app/AppDelegate.h"

#include "app/SingleInstance.h"
#include "installer/UIManager.h"
#include "platform/Url.h"
#include "support/log/SystemLog.h"

namespace twk::app {

AppDelegate::AppDelegate(QObject* parent) : QObject(parent) {}

AppDelegate::~AppDelegate() = default;

void AppDelegate::applicationWillFinishLaunching(ApplicationService* events) {
    connect(events, &ApplicationService::openRequested, this, [this](const QStringList& uris) {
        for (const QString& uri : uris)
            handleURLEvent(uri);
    });
    connect(events, &ApplicationService::activateRequested, this,
            [this] { applicationShouldHandleReopen(window_ && window_->isVisible()); });
}

void AppDelegate::applicationShouldHandleReopen(bool hasVisibleWindows) {
    if (!window_)
        return;
    if (hasVisibleWindows) {
        window_->raise();
    } else {
        window_->showNormal();
        window_->raise();
        window_->activateWindow();
    }
}

void AppDelegate::handleURLEvent(const QString& text) {
    auto url = platform::Url::urlWithString(text);
    if (!url) {
        // An install request that is not a strict URL (a raw space, a "%" that escapes
        // nothing) is read as it stands, as a browser would: Tarnwick's user clicked, and
        // must see an answer. Anything else that is no URL stays ignored.
        url = platform::Url::lenientUrlWithString(text);
        if (url && url->scheme().toLower() == QLatin1String(installer::InstallRequestScheme))
            log::systemLog(QStringLiteral("install request %1 is not a well-formed URL; it is "
                                          "read as it stands")
                               .arg(text));
        else
            url.reset();
    }
    if (uiManager_ && !uiManager_->handleURL(url)) // nothing received goes unsaid
        log::systemLog(QStringLiteral("%1 is no install request; it is ignored").arg(text));
}

void AppDelegate::setWindow(std::unique_ptr<QWidget> window) {
    window_ = std::move(window);
}

} // namespace twk::app

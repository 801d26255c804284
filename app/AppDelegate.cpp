#include "app/AppDelegate.h"

#include "app/SingleInstance.h"
#include "installer/UIManager.h"
#include "platform/Url.h"

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
    if (uiManager_)
        uiManager_->handleURL(platform::Url::urlWithString(text));
}

void AppDelegate::setWindow(std::unique_ptr<QWidget> window) {
    window_ = std::move(window);
}

} // namespace twk::app

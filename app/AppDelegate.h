#pragma once

// The application delegate: takes URLs from launches and from the bus to the controller,
// and brings the window back when the running application is opened again.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "installer/UIManager.h"

#include <memory>

namespace twk::app {

class ApplicationService;

class AppDelegate : public QObject {
    Q_OBJECT
public:
    explicit AppDelegate(QObject* parent = nullptr);
    ~AppDelegate() override;

    // Before launching finishes: from here on every URL from the bus reaches handleURLEvent.
    void applicationWillFinishLaunching(ApplicationService* events);
    void applicationDidFinishLaunching() {}
    void applicationWillTerminate() {}

    // Visible window: brought to the front without taking focus; otherwise shown and focused.
    void applicationShouldHandleReopen(bool hasVisibleWindows);

    // Makes a URL of the text (none when it is no well-formed URL) and hands it on.
    void handleURLEvent(const QString& text);

    // The window is owned here; the controller is not.
    QWidget* window() const { return window_.get(); }
    void setWindow(std::unique_ptr<QWidget> window);
    installer::UIManager* uiManager() const { return uiManager_; }
    void setUiManager(installer::UIManager* manager) { uiManager_ = manager; }

private:
    std::unique_ptr<QWidget> window_;
    QPointer<installer::UIManager> uiManager_;
};

} // namespace twk::app

#pragma once

// The controller of the installer's window: its three actions, the script list's actions and
// the install requests that Tarnwick sends. It is a small dispatcher: each of these is a road
// (a Road subclass in its own file) that UIManager queues and starts one at a time, in the
// order they came, each ending only once its sheets were answered. A new kind of work is a new
// road and one entry point here.

#include "installer/RequestRoad.h"
#include "installer/Road.h"
#include "platform/Url.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <QWidget>

#include <deque>
#include <memory>
#include <optional>

namespace twk::installer {

class UIManager : public QObject {
    Q_OBJECT
public:
    explicit UIManager(QObject* parent = nullptr);
    ~UIManager() override; // lets file work under way finish

    void awakeFromNib() {}

    // Both folders are looked up anew at every use.
    std::optional<QString> scriptDir() const;
    QString userScriptDirectory() const;

    // Copies one script into the user scripts folder over any item of that name, at once, on
    // the calling thread. For callers of the helper library's kind; the window's actions and
    // requests take their roads instead.
    bool installScript(const QString& sourcePath);

    // Handles one install request. False only when the URL is not a "twkscriptinstall" one;
    // then nothing at all happens. Otherwise the request waits its turn behind earlier ones.
    bool handleURL(const std::optional<platform::Url>& url);

    void showErrorAndReturnToTWK(const QString& text);
    void openTWK();

    // The script list's actions: install one of Tarnwick's scripts by name; move an
    // installed copy to the Trash after asking (only that entry of the folder).
    void installScriptNamed(const QByteArray& name);
    void removeScriptNamed(const QByteArray& name);
    // Shows how the installed copy of a script differs from Tarnwick's.
    void showDifferences(const QByteArray& name);

    // Whether a road runs or waits.
    bool isBusy() const { return running_ || !waiting_.empty(); }

    QWidget* mainWindow() const { return mainWindow_; }
    void setMainWindow(QWidget* window) { mainWindow_ = window; }

public Q_SLOTS:
    void showScripts(QObject* sender = nullptr);
    void showUserScriptDirectory(QObject* sender = nullptr);
    void installAllScripts(QObject* sender = nullptr);

Q_SIGNALS:
    // A bulk install is under way: done of total scripts are finished.
    void bulkInstallProgress(int done, int total);
    // These scripts were installed or removed by this controller.
    void scriptsChanged(const QList<QByteArray>& names);
    // A line for the window's status bar.
    void statusMessage(const QString& text);
    // An install request ended (its sheets answered).
    void requestHandled(const QString& scriptName, twk::installer::RequestOutcome outcome);
    // Every road ended; nothing waits.
    void idle();

private:
    // Queues the road; it starts once every road before it has ended.
    template <typename R, typename... Args> R* take(Args&&... args);
    void enqueue(std::unique_ptr<Road> road);
    void runNext();

    QPointer<QWidget> mainWindow_;
    std::deque<std::unique_ptr<Road>> waiting_;
    std::unique_ptr<Road> running_;
    QThreadPool pool_;
};

} // namespace twk::installer

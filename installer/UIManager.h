#pragma once

// The controller of the installer's window: its three actions, the script list's actions
// and the install requests that Tarnwick sends. Every alert it shows is a sheet on the main
// window. File work runs on worker threads, so the window and the bus always answer; the
// controller's tasks (requests, installs, removals) run one at a time, in the order they
// came, each ending only once its sheets were answered. Waiting tasks are plain data.

#include "installer/ScriptInstall.h"
#include "platform/Url.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QThreadPool>
#include <QWidget>

#include <deque>
#include <functional>
#include <optional>

namespace twk::installer {

inline constexpr char InstallRequestScheme[] = "twkscriptinstall";
inline constexpr char ReturnToTarnwickUrl[] = "twkrelaunch://openFromScriptInstaller";
inline constexpr char DontAskToInstallKey[] = "QZ_DontAskToInstall";

// How an install request ended.
enum class RequestOutcome { NoScript, InvalidName, NotFound, Installed, NotInstalled, Declined };

class UIManager : public QObject {
    Q_OBJECT
public:
    explicit UIManager(QObject* parent = nullptr);
    ~UIManager() override; // lets file work under way finish

    void awakeFromNib() {}

    // Both folders are looked up anew at every use.
    std::optional<QString> scriptDir() const;
    QString userScriptDirectory() const;

    // Copies one script into the user scripts folder over any item of that name, on the
    // calling thread.
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

    // Whether a task runs or waits.
    bool isBusy() const { return running_ || !tasks_.empty(); }

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
    // Every task ended; nothing waits.
    void idle();

private:
    struct Task {
        enum class Kind { Request, InstallAll, InstallNamed, RemoveNamed } kind;
        QByteArray name = {};                       // the script, as file-system bytes
        QString requestedName = {};                 // a request's script attribute, as decoded
                                                    // (its bytes are made only when it runs)
        std::optional<RequestOutcome> problem = {}; // a request already known to fail
    };

    void enqueue(Task task);
    void runNext();
    void finishTask();
    void runRequest(const Task& task);
    void runInstallAll();
    void runInstallNamed(const QByteArray& name);
    void runRemoveNamed(const QByteArray& name);

    // Runs work on a worker thread, then `then` with its result on this thread.
    template <typename Work, typename Then> void inBackground(Work work, Then then);

    void confirmInstall(const QString& scriptName, const QByteArray& name, const QString& details);
    void installRequested(const QString& scriptName, const QByteArray& name, bool confirmed);
    void endRequest(const QString& scriptName, RequestOutcome outcome);
    void showErrorThen(const QString& text, std::function<void()> then,
                       const QString& details = {});
    void showDoneSheet(const BulkInstallReport& report);
    void bringToFront();
    bool windowShown() const;
    bool storeDontAsk();

    QPointer<QWidget> mainWindow_;
    std::deque<Task> tasks_;
    bool running_ = false;
    QThreadPool pool_;
};

} // namespace twk::installer

#pragma once

// The controller of the installer's window: its three actions and the install requests
// that Tarnwick sends. Every alert it shows is a sheet on the main window.

#include "installer/ScriptInstall.h"
#include "platform/Url.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <optional>

namespace twk::installer {

inline constexpr char InstallRequestScheme[] = "twkscriptinstall";
inline constexpr char ReturnToTarnwickUrl[] = "twkrelaunch://openFromScriptInstaller";
inline constexpr char DontAskToInstallKey[] = "QZ_DontAskToInstall";

class UIManager : public QObject {
    Q_OBJECT
public:
    explicit UIManager(QObject* parent = nullptr);

    void awakeFromNib() {}

    // Both folders are looked up anew at every use.
    std::optional<QString> scriptDir() const;
    QString userScriptDirectory() const;

    // Copies one script into the user scripts folder over any item of that name.
    bool installScript(const QString& sourcePath);

    // Handles one install request. False only when the URL is not a "twkscriptinstall" one;
    // then nothing at all happens.
    bool handleURL(const std::optional<platform::Url>& url);

    // The script list's actions: install one of Tarnwick's scripts by name, and remove an
    // installed copy after asking (critical sheet); only that entry of the folder goes.
    bool installScriptNamed(const QString& name);
    void removeScriptNamed(const QString& name);
    void showErrorAndReturnToTWK(const QString& text);
    void openTWK();

    QWidget* mainWindow() const { return mainWindow_; }
    void setMainWindow(QWidget* window) { mainWindow_ = window; }

public Q_SLOTS:
    void showScripts(QObject* sender = nullptr);
    void showUserScriptDirectory(QObject* sender = nullptr);
    void installAllScripts(QObject* sender = nullptr);

Q_SIGNALS:
    // A bulk install is under way: done of total scripts are finished.
    void bulkInstallProgress(int done, int total);
    // A script was installed (or removed) by an action of this controller.
    void scriptsChanged();

private:
    void bringToFront();
    void showDoneSheet(const BulkInstallReport& report);
    void confirmInstall(const QString& sourcePath, const QString& scriptName);

    QPointer<QWidget> mainWindow_;
};

} // namespace twk::installer

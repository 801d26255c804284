#include "app/MainWindow.h"

#include "app/ScriptListPanel.h"
#include "installer/UIManager.h"
#include "support/defaults/Bindings.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace twk::app {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui_(new Ui::MainWindow) {
    ui_->setupUi(this);
    ui_->installProgress->setVisible(false);
    connect(ui_->actionQuit, &QAction::triggered, qApp, &QApplication::quit);
    connect(ui_->actionAbout, &QAction::triggered, this, &MainWindow::showAbout);
    // Checked means asking, which is what the stored "don't ask" choice says NO to.
    defaults::bindObject(ui_->askBeforeInstallingCheck, QStringLiteral("not.checked"),
                         QStringLiteral("QZ_DontAskToInstall"));
}

MainWindow::~MainWindow() = default;

void MainWindow::connectController(installer::UIManager* controller) {
    using installer::UIManager;
    connect(ui_->installAllButton, &QPushButton::clicked, controller,
            [controller, this] { controller->installAllScripts(ui_->installAllButton); });
    connect(ui_->showScriptsButton, &QPushButton::clicked, controller,
            [controller, this] { controller->showScripts(ui_->showScriptsButton); });
    connect(ui_->showUserScriptsButton, &QPushButton::clicked, controller, [controller, this] {
        controller->showUserScriptDirectory(ui_->showUserScriptsButton);
    });
    connect(controller, &UIManager::bulkInstallProgress, this, &MainWindow::showProgress);
    scriptList_ = new ScriptListPanel(controller, ui_->centralWidget);
    ui_->mainLayout->insertWidget(1, scriptList_, 1);
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The list reads both folders: after the window is up, never before.
    if (scriptList_)
        QTimer::singleShot(0, scriptList_, &ScriptListPanel::refresh);
}

void MainWindow::showProgress(int done, int total) {
    ui_->installProgress->setVisible(done < total);
    ui_->installProgress->setRange(0, total);
    ui_->installProgress->setValue(done);
    // Copies run on this thread; let the window repaint between scripts.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void MainWindow::showAbout() {
    QMessageBox::about(this, tr("About TWK Script Installer"),
                       tr("<b>TWK Script Installer</b> %1<br>Installs the scripts that come "
                          "with Tarnwick into the folder where Tarnwick's menu runs them.")
                           .arg(QStringLiteral(TWK_VERSION)));
}

} // namespace twk::app

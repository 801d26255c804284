#include "app/MainWindow.h"

#include "app/ScriptListModel.h"
#include "app/ScriptListPanel.h"
#include "installer/UIManager.h"
#include "platform/Sheet.h"
#include "support/alert/AlertBuilders.h"
#include "support/defaults/Bindings.h"
#include "support/defaults/UserDefaults.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace twk::app {
namespace {

// A window that is shown but never drawn (started minimised, on a desktop that draws it
// late) still reads its list and does the rest after this long.
constexpr int UndrawnWindowMs = 250;

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), ui_(new Ui::MainWindow) {
    ui_->setupUi(this);
    ui_->installProgress->setVisible(false);
    connect(ui_->actionQuit, &QAction::triggered, qApp, &QApplication::quit);
    connect(ui_->actionAbout, &QAction::triggered, this, &MainWindow::showAbout);
    // Checked means asking, which is what the stored "don't ask" choice says NO to.
    defaults::bindObject(ui_->askBeforeInstallingCheck, QStringLiteral("not.checked"),
                         QLatin1String(installer::DontAskToInstallKey));
    connect(ui_->askBeforeInstallingCheck, &QCheckBox::clicked, this,
            &MainWindow::askChoiceClicked);
}

MainWindow::~MainWindow() = default;

void MainWindow::connectController(installer::UIManager* controller) {
    using installer::UIManager;
    controller_ = controller;
    connect(ui_->installAllButton, &QPushButton::clicked, controller,
            [controller, this] { controller->installAllScripts(ui_->installAllButton); });
    connect(ui_->showScriptsButton, &QPushButton::clicked, controller,
            [controller, this] { controller->showScripts(ui_->showScriptsButton); });
    connect(ui_->showUserScriptsButton, &QPushButton::clicked, controller, [controller, this] {
        controller->showUserScriptDirectory(ui_->showUserScriptsButton);
    });
    connect(controller, &UIManager::bulkInstallProgress, this, &MainWindow::showProgress);
    connect(controller, &UIManager::statusMessage, this,
            [this](const QString& text) { statusBar()->showMessage(text, 10000); });
    scriptList_ = new ScriptListPanel(controller, ui_->centralWidget);
    ui_->mainLayout->insertWidget(2, scriptList_, 1);
    connect(scriptList_->model(), &ScriptListModel::foldersRead, this, &MainWindow::updateControls);
    connect(controller, &UIManager::idle, this, &MainWindow::releaseListHold);
}

bool MainWindow::event(QEvent* event) {
    // A sheet (window-modal) has opened on the window.
    if (event->type() == QEvent::WindowBlocked)
        releaseListHold();
    return QMainWindow::event(event);
}

void MainWindow::releaseListHold() {
    if (!listHeld_)
        return;
    listHeld_ = false;
    if (firstFrameDone_ && scriptList_)
        scriptList_->refresh();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!firstFrameDone_) {
        QTimer::singleShot(UndrawnWindowMs, this, &MainWindow::firstFrameDone);
        return;
    }
    // Shown again: the folders may have changed while it was hidden.
    if (scriptList_)
        QTimer::singleShot(0, scriptList_, &ScriptListPanel::refresh);
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    // The frame being painted reaches the screen before the event loop's next turn.
    if (!firstFrameDone_)
        QTimer::singleShot(0, this, &MainWindow::firstFrameDone);
}

void MainWindow::firstFrameDone() {
    if (firstFrameDone_)
        return;
    firstFrameDone_ = true;
    if (scriptList_ && !listHeld_)
        scriptList_->refresh();
    // Another process (another session's instance, an edited file) may change the choice.
    defaults::UserDefaults::standardUserDefaults().watchFile();
    Q_EMIT firstFrameShown();
}

void MainWindow::updateControls() {
    using Source = ScriptListModel::Source;
    const ScriptListModel* model = scriptList_->model();
    const bool tarnwick = model->source() == Source::Listed;
    const bool userFolder = model->userFolderExists();
    QString reason;
    if (model->source() == Source::TarnwickNotFound)
        reason = tr("Tarnwick was not found. Install Tarnwick, then open this window again.");
    else if (model->source() == Source::Unreadable)
        reason = tr("Tarnwick's scripts folder could not be read.");
    else if (!userFolder)
        reason = tr("The User Scripts directory does not exist yet: open Tarnwick once to create "
                    "it.");
    ui_->reasonLabel->setText(reason);
    ui_->reasonLabel->setVisible(!reason.isEmpty());
    ui_->installAllButton->setEnabled(tarnwick && userFolder);
    ui_->showScriptsButton->setEnabled(model->source() != Source::TarnwickNotFound);
    ui_->showUserScriptsButton->setEnabled(userFolder);
}

void MainWindow::askChoiceClicked() {
    defaults::UserDefaults& store = defaults::UserDefaults::standardUserDefaults();
    if (store.synchronize())
        return;
    auto alert = alert::qzAlertWithMessageText(
        tr("Your choice could not be saved"), tr("OK"), std::nullopt, std::nullopt,
        tr("The preferences file could not be written (%1). The choice holds until TWK Script "
           "Installer quits.")
            .arg(store.lastError()));
    alert->setAlertStyle(alert::CriticalAlertStyle);
    platform::beginSheetModalForWindow(std::move(alert), this);
}

void MainWindow::showProgress(int done, int total) {
    ui_->installProgress->setVisible(done < total);
    ui_->installProgress->setRange(0, total);
    ui_->installProgress->setValue(done);
}

void MainWindow::showAbout() {
    QMessageBox::about(this, tr("About TWK Script Installer"),
                       tr("<b>TWK Script Installer</b> %1<br>Installs the scripts that come "
                          "with Tarnwick into the folder where Tarnwick's menu runs them.")
                           .arg(QStringLiteral(TWK_VERSION)));
}

} // namespace twk::app

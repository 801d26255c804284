#include "app/MainWindow.h"

#include "app/Announcer.h"
#include "app/ScriptListModel.h"
#include "app/ScriptListPanel.h"
#include "app/ScriptListView.h"
#include "installer/Messages.h"
#include "installer/Sheets.h"
#include "installer/UIManager.h"
#include "platform/Sheet.h"
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

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), ui_(new Ui::MainWindow), announcer_(new Announcer(this)) {
    ui_->setupUi(this);
    ui_->installProgress->setVisible(false);
    statusBar()->addWidget(announcer_, 1);
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
    // What the list's actions came to, shown and spoken; a failure speaks through its sheet.
    connect(controller, &UIManager::statusMessage, announcer_, &Announcer::announce);
    scriptList_ = new ScriptListPanel(controller, ui_->centralWidget);
    ui_->mainLayout->insertWidget(2, scriptList_, 1);
    // The list comes first, for the eye and for Tab, and has the keyboard when the window
    // opens: nothing happens by pressing Space at once, as it would on "Install All Scripts".
    QWidget* previous = scriptList_->view();
    for (QWidget* next : std::initializer_list<QWidget*>{
             ui_->installAllButton, ui_->showScriptsButton, ui_->showUserScriptsButton,
             ui_->askBeforeInstallingCheck}) {
        setTabOrder(previous, next);
        previous = next;
    }
    scriptList_->view()->setFocus();
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
    using files::SourceState;
    const ScriptListModel* model = scriptList_->model();
    const QString reason = installer::Messages::whyNothingCanBeInstalled(
        model->source(), model->userFolder(), controller_->userScriptDirectory());
    QStringList notes{reason};
    if (!model->record().ok())
        notes.append(installer::Messages::recordProblem(model->record()));
    notes.removeAll(QString());
    ui_->reasonLabel->setText(notes.join(u'\n'));
    ui_->reasonLabel->setVisible(!notes.isEmpty());
    ui_->installAllButton->setEnabled(reason.isEmpty());
    ui_->showScriptsButton->setEnabled(model->source() != SourceState::TarnwickNotFound);
    ui_->showUserScriptsButton->setEnabled(model->userFolderExists());
}

void MainWindow::askChoiceClicked() {
    // Written on the store's own thread: a lock another process holds never freezes the window.
    defaults::UserDefaults::standardUserDefaults().synchronizeInBackground(
        [window = QPointer<MainWindow>(this)](const posix::Status& saved) {
            if (saved.ok() || !window)
                return;
            platform::beginSheetModalForWindow(
                installer::noticeAlert(installer::Messages::choiceNotSavedTitle(),
                                       tr("The preferences file could not be written (%1). The "
                                          "choice holds until TWK Script Installer quits.")
                                           .arg(saved.reason())),
                window);
        });
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

#pragma once

#include <QMainWindow>

#include <memory>

namespace Ui {
class MainWindow;
}

namespace twk::installer {
class UIManager;
}

namespace twk::app {

class Announcer;
class ScriptListPanel;

// The installer's one window. Closing it hides it; the application keeps running until
// Quit, so later install requests can still show their sheets. Controls that cannot work
// (no Tarnwick, no user scripts folder yet) are disabled, and the window says why.
// The first frame pays only for itself: the list is read (Tarnwick found, both folders
// listed and ordered) and the preference file watched once that frame is on screen.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Wires the controls to the controller's actions.
    void connectController(installer::UIManager* controller);
    ScriptListPanel* scriptList() const { return scriptList_; }
    Announcer* announcer() const { return announcer_; }
    // For a launch with a request: the list is read once the request's first sheet is up
    // (or the request ended without one), not while that sheet is being prepared.
    void holdListForRequest() { listHeld_ = true; }
    void releaseListHold();

Q_SIGNALS:
    // The window's first frame is on screen (or, for a window the desktop never draws, a
    // moment after it was shown): the list is being read. Emitted once.
    void firstFrameShown();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void firstFrameDone();
    void showAbout();
    void showProgress(int done, int total);
    void updateControls();
    void askChoiceClicked();

    std::unique_ptr<Ui::MainWindow> ui_;
    installer::UIManager* controller_ = nullptr;
    Announcer* announcer_;
    ScriptListPanel* scriptList_ = nullptr;
    bool firstFrameDone_ = false;
    bool listHeld_ = false;
};

} // namespace twk::app

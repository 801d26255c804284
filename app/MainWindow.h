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
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Wires the controls to the controller's actions.
    void connectController(installer::UIManager* controller);
    ScriptListPanel* scriptList() const { return scriptList_; }
    Announcer* announcer() const { return announcer_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showAbout();
    void showProgress(int done, int total);
    void updateControls();
    void askChoiceClicked();

    std::unique_ptr<Ui::MainWindow> ui_;
    installer::UIManager* controller_ = nullptr;
    Announcer* announcer_;
    ScriptListPanel* scriptList_ = nullptr;
};

} // namespace twk::app

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

// The installer's one window. Closing it hides it; the application keeps running until
// Quit, so later install requests can still show their sheets.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Wires the three controls to the controller's actions.
    void connectController(installer::UIManager* controller);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showAbout();
    void showProgress(int done, int total);

    std::unique_ptr<Ui::MainWindow> ui_;
    class ScriptListPanel* scriptList_ = nullptr;
};

} // namespace twk::app

#pragma once

// The list of Tarnwick's scripts in the window: each with its state and its actions, kept
// current by watching both folders while the window is open. One stop for the Tab key:
// Return installs the selected script, Delete removes its installed copy, and the context
// menu (also on the Menu key) offers both.

#include <QWidget>

class QLabel;
class QMenu;
class QTreeView;

namespace twk::installer {
class UIManager;
}

namespace twk::app {

class FolderWatch;
class ScriptListModel;
class ScriptRowDelegate;

class ScriptListPanel : public QWidget {
    Q_OBJECT
public:
    explicit ScriptListPanel(installer::UIManager* controller, QWidget* parent = nullptr);

    ScriptListModel* model() const { return model_; }
    QTreeView* view() const { return view_; }

    // Reads both folders again and shows what is there.
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void foldersRead();
    void act(int row, bool install);
    void showContextMenu(const QPoint& at);
    int currentRow() const;

    installer::UIManager* controller_;
    ScriptListModel* model_;
    ScriptRowDelegate* delegate_;
    QTreeView* view_;
    QLabel* emptyLabel_;
    FolderWatch* watch_;
};

} // namespace twk::app

#pragma once

// The list of Tarnwick's scripts in the window: each with its state and its actions, kept
// current by watching both folders while the window is open. One stop for the Tab key:
// Return installs the selected script, Delete removes its installed copy, Ctrl+D shows how its
// installed copy differs from Tarnwick's, and the context menu (also on the Menu key and
// Shift+F10) offers all three.

#include "app/ScriptRowDelegate.h"

#include <QWidget>

class QLabel;
class QMenu;

namespace twk::installer {
class UIManager;
}

namespace twk::app {

// The key of "Show Differences…" on the list.
inline constexpr QKeyCombination ShowDifferencesKey(Qt::ControlModifier, Qt::Key_D);

class FolderWatch;
class ScriptListModel;
class ScriptListView;

class ScriptListPanel : public QWidget {
    Q_OBJECT
public:
    explicit ScriptListPanel(installer::UIManager* controller, QWidget* parent = nullptr);

    ScriptListModel* model() const { return model_; }
    ScriptListView* view() const { return view_; }

    // Reads both folders again and shows what is there.
    void refresh();

    // The actions that apply to a row now, in the order they are drawn, and their titles.
    QList<ScriptRowDelegate::Action> actionsOf(int row) const;
    QString title(int row, ScriptRowDelegate::Action action) const;
    // Does what the row's button does; nothing when it does not apply.
    void act(int row, ScriptRowDelegate::Action action);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void foldersRead();
    void showContextMenu(const QPoint& at);
    int currentRow() const;

    installer::UIManager* controller_;
    ScriptListModel* model_;
    ScriptRowDelegate* delegate_;
    ScriptListView* view_;
    QLabel* emptyLabel_;
    FolderWatch* watch_;
};

} // namespace twk::app

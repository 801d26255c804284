#pragma once

// The list of Tarnwick's scripts in the window: each with its state and its own install and
// remove buttons, kept current by watching both folders while the window is open.

#include <QFileSystemWatcher>
#include <QTimer>
#include <QWidget>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace twk::installer {
class UIManager;
}

namespace twk::app {

class ScriptListPanel : public QWidget {
    Q_OBJECT
public:
    explicit ScriptListPanel(installer::UIManager* controller, QWidget* parent = nullptr);

    // Reads both folders again and shows what is there.
    void refresh();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(const QStringList& paths);
    void addRow(const QString& name, int state);
    QString selectedName() const;

    installer::UIManager* controller_;
    QLabel* emptyLabel_;
    QTreeWidget* list_;
    QFileSystemWatcher watcher_;
    QTimer pending_; // folds bursts of changes into one refresh
};

} // namespace twk::app

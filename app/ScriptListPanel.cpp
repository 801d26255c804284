#include "app/ScriptListPanel.h"

#include <algorithm>

#include "app/FolderWatch.h"
#include "app/ScriptListModel.h"
#include "app/ScriptListView.h"
#include "installer/Messages.h"
#include "installer/UIManager.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

namespace twk::app {

using Action = ScriptRowDelegate::Action;

ScriptListPanel::ScriptListPanel(installer::UIManager* controller, QWidget* parent)
    : QWidget(parent), controller_(controller), model_(new ScriptListModel(this)),
      delegate_(new ScriptRowDelegate(this)), view_(new ScriptListView(this)),
      emptyLabel_(new QLabel(this)), watch_(new FolderWatch(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* title = new QLabel(tr("Tarnwick's &scripts:"), this);
    title->setBuddy(view_);
    layout->addWidget(title);
    layout->addWidget(view_);
    layout->addWidget(emptyLabel_);

    view_->setObjectName(QStringLiteral("scriptList"));
    view_->setAccessibleName(tr("Tarnwick's scripts"));
    view_->setAccessibleDescription(tr("Press Return to install the selected script, Delete to "
                                       "move its installed copy to the Trash, Control+D to see "
                                       "how your copy differs from Tarnwick's, or the Menu key "
                                       "for all three"));
    view_->setModel(model_);
    view_->setItemDelegate(delegate_);
    view_->setRootIsDecorated(false);
    view_->setUniformRowHeights(true); // rows are never measured one by one
    view_->setAllColumnsShowFocus(true);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    QHeaderView* header = view_->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(ScriptListModel::NameColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(ScriptListModel::StateColumn, QHeaderView::Interactive);
    header->setSectionResizeMode(ScriptListModel::ActionsColumn, QHeaderView::Fixed);
    int widestState = 0;
    for (const QString& state : installer::Messages::stateTexts())
        widestState = std::max(widestState, view_->fontMetrics().horizontalAdvance(state));
    header->resizeSection(ScriptListModel::StateColumn, widestState + 24);
    QStyleOptionViewItem option;
    option.initFrom(view_);
    header->resizeSection(ScriptListModel::ActionsColumn, delegate_->actionsWidth(option));
    view_->installEventFilter(this);
    emptyLabel_->setObjectName(QStringLiteral("emptyLabel"));
    emptyLabel_->setWordWrap(true);
    emptyLabel_->setVisible(false);

    connect(delegate_, &ScriptRowDelegate::actionClicked, this,
            [this](const QModelIndex& index, Action action) { act(index.row(), action); });
    connect(view_, &QWidget::customContextMenuRequested, this, &ScriptListPanel::showContextMenu);
    connect(model_, &ScriptListModel::foldersRead, this, &ScriptListPanel::foldersRead);
    connect(model_, &QAbstractItemModel::dataChanged, view_->viewport(),
            qOverload<>(&QWidget::update));
    connect(watch_, &FolderWatch::entriesChanged, model_, &ScriptListModel::update);
    connect(watch_, &FolderWatch::foldersChanged, this, &ScriptListPanel::refresh);
    connect(controller_, &installer::UIManager::scriptsChanged, model_,
            [this](const QList<QByteArray>& names) {
                model_->update(QSet<QByteArray>(names.begin(), names.end()));
            });
}

void ScriptListPanel::refresh() {
    model_->reload();
}

void ScriptListPanel::foldersRead() {
    using files::SourceState;
    QStringList watched{controller_->userScriptDirectory()};
    if (const auto source = controller_->scriptDir())
        watched.append(*source);
    watch_->watch(watched);
    delegate_->setInstallPossible(model_->userFolderExists());

    QString empty;
    if (model_->source() != SourceState::Listed)
        empty = tr("There are no scripts to list."); // the window says why
    else if (model_->rowCount() == 0)
        empty = tr("Tarnwick has no scripts to install.");
    emptyLabel_->setText(empty);
    emptyLabel_->setVisible(!empty.isEmpty());
    view_->setVisible(empty.isEmpty());
    if (!view_->currentIndex().isValid() && model_->rowCount() > 0)
        view_->setCurrentIndex(model_->index(0, 0));
}

int ScriptListPanel::currentRow() const {
    const QModelIndex current = view_->currentIndex();
    return current.isValid() ? current.row() : -1;
}

QList<Action> ScriptListPanel::actionsOf(int row) const {
    QList<Action> actions;
    if (row < 0 || row >= model_->rowCount())
        return actions;
    const QModelIndex index = model_->index(row, ScriptListModel::ActionsColumn);
    for (const Action action : {Action::Install, Action::Remove, Action::ShowDifferences}) {
        if (delegate_->isEnabled(index, action))
            actions.append(action);
    }
    return actions;
}

QString ScriptListPanel::title(int row, Action action) const {
    return ScriptRowDelegate::title(model_->index(row, ScriptListModel::ActionsColumn), action);
}

void ScriptListPanel::act(int row, Action action) {
    if (!actionsOf(row).contains(action))
        return;
    if (action == Action::Install)
        controller_->installScriptNamed(model_->nameAt(row));
    else if (action == Action::Remove)
        controller_->removeScriptNamed(model_->nameAt(row));
    else
        controller_->showDifferences(model_->nameAt(row));
}

void ScriptListPanel::showContextMenu(const QPoint& at) {
    const int row = view_->indexAt(at).isValid() ? view_->indexAt(at).row() : currentRow();
    if (row < 0)
        return;
    view_->setCurrentIndex(model_->index(row, 0));
    const QModelIndex index = model_->index(row, ScriptListModel::ActionsColumn);
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("scriptMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction* install = menu->addAction(ScriptRowDelegate::title(index, Action::Install), this,
                                       [this, row] { act(row, Action::Install); });
    install->setEnabled(delegate_->isEnabled(index, Action::Install));
    QAction* remove =
        menu->addAction(tr("Move to Trash…"), this, [this, row] { act(row, Action::Remove); });
    remove->setEnabled(delegate_->isEnabled(index, Action::Remove));
    QAction* differences =
        menu->addAction(ScriptRowDelegate::title(index, Action::ShowDifferences), this,
                        [this, row] { act(row, Action::ShowDifferences); });
    differences->setShortcut(QKeySequence(ShowDifferencesKey)); // shown; the list handles it
    differences->setEnabled(delegate_->isEnabled(index, Action::ShowDifferences));
    menu->popup(view_->viewport()->mapToGlobal(at));
}

bool ScriptListPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_ && event->type() == QEvent::KeyPress) {
        const auto* press = static_cast<QKeyEvent*>(event);
        const int key = press->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Delete) {
            act(currentRow(), key == Qt::Key_Delete ? Action::Remove : Action::Install);
            return true;
        }
        if (press->keyCombination() == ShowDifferencesKey) {
            act(currentRow(), Action::ShowDifferences);
            return true;
        }
        const bool menuKey =
            key == Qt::Key_Menu || (key == Qt::Key_F10 && press->modifiers() == Qt::ShiftModifier);
        if (menuKey && currentRow() >= 0) {
            showContextMenu(view_->visualRect(view_->currentIndex()).center());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace twk::app

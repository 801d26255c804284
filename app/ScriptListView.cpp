#include "app/ScriptListView.h"

#include "app/ScriptListModel.h"
#include "app/ScriptListPanel.h"

#include <QAccessibleWidget>
#include <QHeaderView>
#include <QKeySequence>
#include <QPointer>

#include <map>
#include <optional>

namespace twk::app {
namespace {

using Action = ScriptRowDelegate::Action;

// What the list's accessible parts share: the view they show, and their place among its
// children, numbered as Qt's item views number them in their events (-1: gone).
class ListPart : public QAccessibleInterface {
public:
    explicit ListPart(ScriptListView* view) : view_(view) {}
    virtual int logicalIndex() const = 0;

    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return view_ ? QAccessible::queryAccessibleInterface(view_) : nullptr;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    QPointer<ScriptListView> view_;
};

// A column's title in the header row.
class HeaderAccessible : public ListPart {
public:
    HeaderAccessible(ScriptListView* view, int column) : ListPart(view), column_(column) {}

    bool isValid() const override { return view_ && column_ < view_->model()->columnCount(); }
    int logicalIndex() const override { return isValid() ? column_ : -1; }
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !isValid())
            return {};
        return view_->model()->headerData(column_, Qt::Horizontal).toString();
    }
    QRect rect() const override {
        if (!isValid() || view_->header()->isHidden())
            return {};
        const QHeaderView* header = view_->header();
        const QRect section(header->sectionViewportPosition(column_), 0,
                            header->sectionSize(column_), header->height());
        return QRect(header->viewport()->mapToGlobal(section.topLeft()), section.size());
    }
    QAccessible::Role role() const override { return QAccessible::ColumnHeader; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = !view_ || !view_->isVisible() || view_->header()->isHidden();
        return state;
    }

private:
    int column_;
};

// A cell: it reads as what it shows, and offers its row's actions under their drawn titles.
class CellAccessible : public ListPart,
                       public QAccessibleTableCellInterface,
                       public QAccessibleActionInterface {
public:
    CellAccessible(ScriptListView* view, const QModelIndex& index)
        : ListPart(view), index_(index) {}

    bool isValid() const override { return view_ && index_.isValid(); }
    int logicalIndex() const override { return isValid() ? view_->accessibleChild(index_) : -1; }

    QString text(QAccessible::Text t) const override {
        if (!isValid())
            return {};
        if (t == QAccessible::Description)
            return index_.data(Qt::AccessibleDescriptionRole).toString();
        if (t != QAccessible::Name)
            return {};
        if (index_.column() == ScriptListModel::ActionsColumn)
            return actionNames().join(QStringLiteral(", "));
        const QVariant name = index_.data(Qt::AccessibleTextRole);
        return name.isValid() ? name.toString() : index_.data(Qt::DisplayRole).toString();
    }
    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect cell = view_->visualRect(index_);
        return QRect(view_->viewport()->mapToGlobal(cell.topLeft()), cell.size());
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        state.invisible = !view_->isVisible();
        state.offscreen = !view_->viewport()->rect().intersects(view_->visualRect(index_));
        state.disabled = !view_->isEnabled();
        state.focusable = true;
        state.selectable = true;
        state.selected = isSelected();
        // Only while the list has the keyboard: Qt's own cells say so whenever they are current.
        state.focused = view_->hasFocus() && view_->currentIndex() == index_;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    // QAccessibleTableCellInterface
    bool isSelected() const override {
        return isValid() && view_->selectionModel()->isSelected(index_);
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override {
        QAccessibleInterface* table = parent();
        QAccessibleInterface* header = table ? table->child(index_.column()) : nullptr;
        return header ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
    }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return index_.column(); }
    int rowIndex() const override { return index_.row(); }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    // QAccessibleActionInterface: the actions that apply to the row now, as their buttons
    // are titled.
    QStringList actionNames() const override {
        QStringList names;
        if (isValid()) {
            for (const Action action : view_->panel()->actionsOf(index_.row()))
                names.append(view_->panel()->title(index_.row(), action));
        }
        return names;
    }
    QString localizedActionName(const QString& name) const override { return name; }
    QString localizedActionDescription(const QString& name) const override { return name; }
    void doAction(const QString& name) override {
        if (const auto action = actionNamed(name))
            view_->panel()->act(index_.row(), *action);
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        const auto action = actionNamed(name);
        if (!action)
            return {};
        const QKeySequence key(*action == Action::Install  ? QKeyCombination(Qt::Key_Return)
                               : *action == Action::Remove ? QKeyCombination(Qt::Key_Delete)
                                                           : ShowDifferencesKey);
        return {key.toString(QKeySequence::NativeText)};
    }

private:
    std::optional<Action> actionNamed(const QString& name) const {
        if (!isValid())
            return std::nullopt;
        for (const Action action : view_->panel()->actionsOf(index_.row())) {
            if (view_->panel()->title(index_.row(), action) == name)
                return action;
        }
        return std::nullopt;
    }

    QPersistentModelIndex index_;
};

// The list as a table: a header row, then one row of cells for each script. Cells are made
// when asked for and kept, so that a screen reader meets the same object each time; their
// model indexes follow the rows as rows come and go.
class ListAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit ListAccessible(ScriptListView* view) : QAccessibleWidget(view, QAccessible::Table) {}
    ~ListAccessible() override {
        for (const auto& [logical, id] : cells_)
            QAccessible::deleteAccessibleInterface(id);
    }

    ScriptListView* view() const { return static_cast<ScriptListView*>(widget()); }

    int childCount() const override {
        return (view()->model()->rowCount() + 1) * view()->model()->columnCount();
    }
    QAccessibleInterface* child(int logical) const override {
        if (logical < 0 || logical >= childCount())
            return nullptr;
        if (QAccessibleInterface* known = cached(logical))
            return known;
        const int columns = view()->model()->columnCount();
        const int row = logical / columns - 1;
        const int column = logical % columns;
        QAccessibleInterface* part =
            row < 0 ? static_cast<QAccessibleInterface*>(new HeaderAccessible(view(), column))
                    : new CellAccessible(view(), view()->model()->index(row, column));
        cells_[logical] = QAccessible::registerAccessibleInterface(part);
        return part;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* part = dynamic_cast<const ListPart*>(child);
        return part && part->parent() == this ? part->logicalIndex() : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QModelIndex index = view()->indexAt(view()->viewport()->mapFromGlobal(QPoint(x, y)));
        return index.isValid() ? child(view()->accessibleChild(index)) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        const QModelIndex current = view()->currentIndex();
        return view()->hasFocus() && current.isValid() ? child(view()->accessibleChild(current))
                                                       : nullptr;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // QAccessibleTableInterface
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
            return nullptr;
        return child(view()->accessibleChild(view()->model()->index(row, column)));
    }
    int selectedCellCount() const override {
        return int(view()->selectionModel()->selectedIndexes().size());
    }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> cells;
        for (const QModelIndex& index : view()->selectionModel()->selectedIndexes())
            cells.append(child(view()->accessibleChild(index)));
        return cells;
    }
    QString columnDescription(int column) const override {
        return view()->model()->headerData(column, Qt::Horizontal).toString();
    }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return int(selectedColumns().size()); }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    int columnCount() const override { return view()->model()->columnCount(); }
    int rowCount() const override { return view()->model()->rowCount(); }
    QList<int> selectedColumns() const override {
        QList<int> columns;
        for (const QModelIndex& index : view()->selectionModel()->selectedColumns())
            columns.append(index.column());
        return columns;
    }
    QList<int> selectedRows() const override {
        QList<int> rows;
        for (const QModelIndex& index : view()->selectionModel()->selectedRows())
            rows.append(index.row());
        return rows;
    }
    bool isColumnSelected(int column) const override {
        return view()->selectionModel()->isColumnSelected(column, {});
    }
    bool isRowSelected(int row) const override {
        return view()->selectionModel()->isRowSelected(row, {});
    }
    bool selectRow(int row) override {
        if (row < 0 || row >= rowCount())
            return false;
        view()->selectionModel()->select(view()->model()->index(row, 0),
                                         QItemSelectionModel::ClearAndSelect |
                                             QItemSelectionModel::Rows);
        return true;
    }
    bool unselectRow(int row) override {
        if (row < 0 || row >= rowCount())
            return false;
        view()->selectionModel()->select(view()->model()->index(row, 0),
                                         QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
        return true;
    }
    bool selectColumn(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override { reindex(); }

private:
    // The part kept for that place, if it still stands there.
    QAccessibleInterface* cached(int logical) const {
        auto found = cells_.find(logical);
        if (found == cells_.end())
            return nullptr;
        QAccessibleInterface* part = QAccessible::accessibleInterface(found->second);
        if (part && static_cast<ListPart*>(part)->logicalIndex() == logical)
            return part;
        reindex(); // rows came or went since
        found = cells_.find(logical);
        return found == cells_.end() ? nullptr : QAccessible::accessibleInterface(found->second);
    }
    // Files each kept part under its place now; parts whose row is gone are let go.
    void reindex() const {
        std::map<int, QAccessible::Id> placed;
        for (const auto& [logical, id] : cells_) {
            auto* part = static_cast<ListPart*>(QAccessible::accessibleInterface(id));
            const int now = part ? part->logicalIndex() : -1;
            if (now < 0 || placed.count(now))
                QAccessible::deleteAccessibleInterface(id);
            else
                placed[now] = id;
        }
        cells_ = std::move(placed);
    }

    mutable std::map<int, QAccessible::Id> cells_;
};

QAccessibleInterface* listFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(ScriptListView::staticMetaObject.className()))
        return new ListAccessible(static_cast<ScriptListView*>(object));
    return nullptr;
}

} // namespace

ScriptListView::ScriptListView(ScriptListPanel* panel) : QTreeView(panel), panel_(panel) {
    static const bool installed = [] {
        QAccessible::installFactory(listFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

int ScriptListView::accessibleChild(const QModelIndex& index) const {
    return (index.row() + 1) * model()->columnCount() + index.column();
}

void ScriptListView::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    // After Qt has said that the list itself has the focus, which it does once this returns.
    if (QAccessible::isActive())
        QMetaObject::invokeMethod(this, &ScriptListView::announceCurrent, Qt::QueuedConnection);
}

void ScriptListView::announceCurrent() {
    if (!hasFocus() || !currentIndex().isValid())
        return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(accessibleChild(currentIndex()));
    QAccessible::updateAccessibility(&event);
}

} // namespace twk::app

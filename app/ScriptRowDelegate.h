#pragma once

// Draws a row's actions (Install or Reinstall, and Remove…) as buttons in the list's last
// column, and turns clicks on them into requests; names that do not fit their column get a
// tooltip. The buttons are drawn, not widgets: the list stays one stop for the Tab key.

#include <QStyledItemDelegate>

namespace twk::app {

class ScriptRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // Install and Remove are drawn as buttons; ShowDifferences is offered by the menu, its key
    // and assistive technology only.
    enum class Action { Install, Remove, ShowDifferences };

    explicit ScriptRowDelegate(QObject* parent = nullptr);

    // Whether new copies can be installed at all (the user scripts folder exists).
    void setInstallPossible(bool possible) { installPossible_ = possible; }

    // Whether the action applies to a row in its current state.
    bool isEnabled(const QModelIndex& index, Action action) const;
    // The width the actions column needs for its two buttons.
    int actionsWidth(const QStyleOptionViewItem& option) const;
    // The title of the action's button for that row.
    static QString title(const QModelIndex& index, Action action);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

Q_SIGNALS:
    void actionClicked(const QModelIndex& index, twk::app::ScriptRowDelegate::Action action);

private:
    QRect buttonRect(const QStyleOptionViewItem& option, const QModelIndex& index,
                     Action action) const;
    QSize buttonSize(const QStyleOptionViewItem& option, const QString& text) const;

    bool installPossible_ = true;
    QPersistentModelIndex pressed_;
    Action pressedAction_ = Action::Install;
};

} // namespace twk::app

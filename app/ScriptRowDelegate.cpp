#include "app/ScriptRowDelegate.h"

#include "app/ScriptListModel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace twk::app {

using files::ScriptState;

namespace {

constexpr int Gap = 4;

std::optional<ScriptState> stateOf(const QModelIndex& index) {
    const QVariant state = index.data(ScriptListModel::StateRole);
    return state.isValid() ? std::optional(ScriptState(state.toInt())) : std::nullopt;
}

} // namespace

ScriptRowDelegate::ScriptRowDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QString ScriptRowDelegate::title(const QModelIndex& index, Action action) {
    if (action == Action::Remove)
        return tr("Remove…");
    if (action == Action::ShowDifferences)
        return tr("Show Differences…");
    switch (stateOf(index).value_or(ScriptState::NotInstalled)) {
    case ScriptState::NotInstalled:
        return tr("Install");
    case ScriptState::UpdateAvailable:
        return tr("Update");
    case ScriptState::Edited:
    case ScriptState::EditedAndUpdated:
    case ScriptState::Different:
        return tr("Reinstall…"); // asks first: the installed copy holds the user's edits
    case ScriptState::Installed:
    case ScriptState::NoLongerShipped:
        break;
    }
    return tr("Reinstall");
}

bool ScriptRowDelegate::isEnabled(const QModelIndex& index, Action action) const {
    const auto state = stateOf(index);
    if (!state)
        return false;
    if (action == Action::Remove)
        return *state != ScriptState::NotInstalled;
    if (action == Action::ShowDifferences) // an installed copy and Tarnwick's, not the same
        return *state != ScriptState::NotInstalled && *state != ScriptState::Installed &&
               *state != ScriptState::NoLongerShipped;
    return installPossible_ && *state != ScriptState::Installed &&
           *state != ScriptState::NoLongerShipped;
}

QSize ScriptRowDelegate::buttonSize(const QStyleOptionViewItem& option, const QString& text) const {
    QStyleOptionButton button;
    button.text = text;
    button.fontMetrics = option.fontMetrics;
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    const QSize content(option.fontMetrics.horizontalAdvance(text), option.fontMetrics.height());
    return style->sizeFromContents(QStyle::CT_PushButton, &button, content, option.widget);
}

QRect ScriptRowDelegate::buttonRect(const QStyleOptionViewItem& option, const QModelIndex& index,
                                    Action action) const {
    const QSize install = buttonSize(option, title(index, Action::Install));
    const QSize remove = buttonSize(option, title(index, Action::Remove));
    const int top = option.rect.top() + (option.rect.height() - install.height()) / 2;
    if (action == Action::Install)
        return QRect(QPoint(option.rect.left() + Gap, top), install);
    return QRect(QPoint(option.rect.left() + Gap * 2 + install.width(), top), remove);
}

void ScriptRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    if (index.column() != ScriptListModel::ActionsColumn) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyledItemDelegate::paint(painter, option, index); // background and selection
    const QStyle* style = option.widget ? option.widget->style() : QApplication::style();
    for (const Action action : {Action::Install, Action::Remove}) {
        QStyleOptionButton button;
        button.rect = buttonRect(option, index, action);
        button.text = title(index, action);
        button.fontMetrics = option.fontMetrics;
        button.palette = option.palette;
        button.state = QStyle::State_Raised;
        if (isEnabled(index, action))
            button.state |= QStyle::State_Enabled;
        else
            button.palette.setCurrentColorGroup(QPalette::Disabled); // drawn greyed out
        if (pressed_ == index && pressedAction_ == action)
            button.state |= QStyle::State_Sunken;
        style->drawControl(QStyle::CE_PushButton, &button, painter, option.widget);
    }
}

int ScriptRowDelegate::actionsWidth(const QStyleOptionViewItem& option) const {
    int install = 0; // the widest of the first button's titles, in whatever language
    for (const QString& title : {tr("Install"), tr("Update"), tr("Reinstall…"), tr("Reinstall")})
        install = std::max(install, buttonSize(option, title).width());
    return install + buttonSize(option, tr("Remove…")).width() + Gap * 3;
}

QSize ScriptRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    const QSize base = QStyledItemDelegate::sizeHint(option, index);
    if (index.column() != ScriptListModel::ActionsColumn)
        return base;
    return QSize(actionsWidth(option),
                 std::max(base.height(), buttonSize(option, tr("Reinstall")).height()));
}

bool ScriptRowDelegate::editorEvent(QEvent* event, QAbstractItemModel* model,
                                    const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (index.column() != ScriptListModel::ActionsColumn ||
        (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease))
        return QStyledItemDelegate::editorEvent(event, model, option, index);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    for (const Action action : {Action::Install, Action::Remove}) {
        if (!buttonRect(option, index, action).contains(mouse->position().toPoint()) ||
            !isEnabled(index, action))
            continue;
        if (event->type() == QEvent::MouseButtonPress) {
            pressed_ = index;
            pressedAction_ = action;
        } else if (pressed_ == index && pressedAction_ == action) {
            pressed_ = QPersistentModelIndex();
            Q_EMIT actionClicked(index, action);
        }
        return true;
    }
    pressed_ = QPersistentModelIndex();
    return false;
}

bool ScriptRowDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                  const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event->type() == QEvent::ToolTip && index.column() == ScriptListModel::NameColumn) {
        // Only a name cut off by its column needs a tooltip.
        const QString name = index.data(Qt::DisplayRole).toString();
        const int room =
            option.rect.width() - 2 * view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) - 2;
        if (option.fontMetrics.horizontalAdvance(name) <= room) {
            QToolTip::hideText();
            return true;
        }
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

} // namespace twk::app

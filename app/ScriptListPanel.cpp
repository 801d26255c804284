#include "app/ScriptListPanel.h"

#include "installer/ScriptCatalog.h"
#include "installer/UIManager.h"
#include "support/strings/Pieces.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace twk::app {

using installer::ScriptCatalog;
using installer::ScriptState;

namespace {

QString stateText(ScriptState state) {
    switch (state) {
    case ScriptState::Installed:
        return ScriptListPanel::tr("Installed");
    case ScriptState::Different:
        return ScriptListPanel::tr("Installed, differs from Tarnwick's copy");
    case ScriptState::NotInstalled:
        break;
    }
    return ScriptListPanel::tr("Not installed");
}

} // namespace

ScriptListPanel::ScriptListPanel(installer::UIManager* controller, QWidget* parent)
    : QWidget(parent), controller_(controller), emptyLabel_(new QLabel(this)),
      list_(new QTreeWidget(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* title = new QLabel(tr("Tarnwick's &scripts:"), this);
    title->setBuddy(list_);
    layout->addWidget(title);
    layout->addWidget(list_);
    layout->addWidget(emptyLabel_);

    list_->setObjectName(QStringLiteral("scriptList"));
    list_->setAccessibleName(tr("Tarnwick's scripts"));
    list_->setAccessibleDescription(
        tr("Press Return to install the selected script, Delete to remove its installed copy"));
    list_->setColumnCount(4);
    list_->setHeaderLabels({tr("Script"), tr("State"), QString(), QString()});
    list_->setRootIsDecorated(false);
    list_->header()->setStretchLastSection(false);
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    list_->header()->setSectionResizeMode(3, QHeaderView::ResizeToContents);
    list_->installEventFilter(this);
    emptyLabel_->setObjectName(QStringLiteral("emptyLabel"));
    emptyLabel_->setWordWrap(true);

    pending_.setSingleShot(true);
    pending_.setInterval(100);
    connect(&pending_, &QTimer::timeout, this, &ScriptListPanel::refresh);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &pending_,
            qOverload<>(&QTimer::start));
    connect(&watcher_, &QFileSystemWatcher::fileChanged, &pending_, qOverload<>(&QTimer::start));
    connect(controller_, &installer::UIManager::scriptsChanged, &pending_,
            qOverload<>(&QTimer::start));
}

void ScriptListPanel::refresh() {
    const auto source = controller_->scriptDir();
    const QString user = controller_->userScriptDirectory();
    const ScriptCatalog catalog = installer::scriptCatalog(source, user);

    QStringList watched{user};
    if (source)
        watched.append(*source);
    const QString previous = selectedName();
    list_->clear();
    for (const auto& script : catalog.scripts) {
        addRow(script.name, int(script.state));
        // Files are watched too: a directory change does not tell of a file's new content.
        watched.append(strings::stringByAppendingPathComponent(user, script.name));
        if (source)
            watched.append(strings::stringByAppendingPathComponent(*source, script.name));
    }
    watch(watched);

    QString empty;
    if (catalog.source == ScriptCatalog::Source::TarnwickNotFound)
        empty = tr("Tarnwick was not found, so there are no scripts to list. Install Tarnwick, "
                   "then open this window again.");
    else if (catalog.source == ScriptCatalog::Source::Unreadable)
        empty = tr("Tarnwick's scripts folder could not be read.");
    else if (catalog.scripts.isEmpty())
        empty = tr("Tarnwick has no scripts to install.");
    emptyLabel_->setText(empty);
    emptyLabel_->setVisible(!empty.isEmpty());
    list_->setVisible(empty.isEmpty());

    const auto again = list_->findItems(previous, Qt::MatchExactly);
    list_->setCurrentItem(again.isEmpty() ? list_->topLevelItem(0) : again.first());
}

void ScriptListPanel::addRow(const QString& name, int stateValue) {
    const auto state = ScriptState(stateValue);
    auto* item = new QTreeWidgetItem(list_, {name, stateText(state)});
    item->setData(0, Qt::UserRole, name);

    auto* install =
        new QPushButton(state == ScriptState::NotInstalled ? tr("Install") : tr("Reinstall"));
    install->setObjectName(QStringLiteral("install:") + name);
    install->setAccessibleName(tr("Install %1").arg(name));
    install->setEnabled(state != ScriptState::Installed);
    connect(install, &QPushButton::clicked, controller_,
            [this, name] { controller_->installScriptNamed(name); });
    list_->setItemWidget(item, 2, install);

    auto* remove = new QPushButton(tr("Remove…"));
    remove->setObjectName(QStringLiteral("remove:") + name);
    remove->setAccessibleName(tr("Remove the installed copy of %1").arg(name));
    remove->setEnabled(state != ScriptState::NotInstalled);
    connect(remove, &QPushButton::clicked, controller_,
            [this, name] { controller_->removeScriptNamed(name); });
    list_->setItemWidget(item, 3, remove);
}

void ScriptListPanel::watch(const QStringList& paths) {
    const QStringList current = watcher_.files() + watcher_.directories();
    if (!current.isEmpty())
        watcher_.removePaths(current);
    QStringList existing;
    for (const QString& path : paths) {
        if (QFileInfo::exists(path))
            existing.append(path);
    }
    if (!existing.isEmpty())
        watcher_.addPaths(existing);
}

QString ScriptListPanel::selectedName() const {
    const QTreeWidgetItem* item = list_->currentItem();
    return item ? item->data(0, Qt::UserRole).toString() : QString();
}

bool ScriptListPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress && !selectedName().isEmpty()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            controller_->installScriptNamed(selectedName());
            return true;
        }
        if (key == Qt::Key_Delete) {
            controller_->removeScriptNamed(selectedName());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace twk::app

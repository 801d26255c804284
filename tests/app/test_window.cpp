// The real window under the offscreen platform, driven as a user would: the list of scripts
// with its states, following both folders row by row; the keyboard (one Tab stop, Return,
// Delete, the Menu key) and the row buttons; what assistive technology is given (each cell,
// the row's actions, outcomes said aloud, a sheet's details); what is drawn for hostile names;
// controls that cannot work, disabled with the reason; the ask checkbox against the
// preference file.

#include "app/Announcer.h"
#include "app/MainWindow.h"
#include "app/ScriptListModel.h"
#include "app/ScriptListPanel.h"
#include "app/ScriptListView.h"
#include "app/SingleInstance.h"
#include "app/Translations.h"
#include "installer/Messages.h"
#include "installer/ScriptFolders.h"
#include "installer/UIManager.h"
#include "platform/DifferencesView.h"
#include "platform/Sheet.h"
#include "support/defaults/Shortcuts.h"
#include "support/defaults/UserDefaults.h"
#include "support/environment/BaseDirectories.h"
#include "support/log/SystemLog.h"
#include "support/posix/FolderLock.h"
#include "support/text/DisplayText.h"
#include "tests/common/Sheets.h"
#include "tests/common/Testing.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QToolTip>

#include <cmath>
#include <fcntl.h>
#include <sys/file.h>

using namespace twk;
using app::ScriptListModel;

class TestWindow : public QObject {
    Q_OBJECT
    const test::Sandbox& box_ = test::sandbox();
    installer::UIManager controller_;
    app::MainWindow window_;
    app::ScriptListView* view_ = nullptr;
    ScriptListModel* model_ = nullptr;

    template <typename T> T* child(const char* name) {
        return window_.findChild<T*>(QLatin1String(name));
    }
    QStringList column(int column) const {
        QStringList texts;
        for (int row = 0; row < model_->rowCount(); ++row)
            texts.append(model_->index(row, column).data().toString());
        return texts;
    }
    int rowOf(const QString& name) const { return model_->rowOf(name.toUtf8()); }
    QString stateOf(const QString& name) const {
        return model_->index(rowOf(name), 1).data().toString();
    }
    void reload() {
        QSignalSpy known(model_, &ScriptListModel::statesKnown);
        QSignalSpy changed(model_, &QAbstractItemModel::dataChanged);
        window_.scriptList()->refresh();
        QTRY_VERIFY(known.count() > 0);
        // The view hears of every state: the last change reaches the last row.
        QCOMPARE(changed.last().at(1).toModelIndex().row(), model_->rowCount() - 1);
    }

private Q_SLOTS:
    void initTestCase() {
        log::setLogSinkForTesting([](const QString&) {});
        window_.connectController(&controller_);
        controller_.setMainWindow(&window_);
        view_ = child<app::ScriptListView>("scriptList");
        model_ = window_.scriptList()->model();
        window_.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window_));
        reload();
        // No session bus here: the window serves no one, and has nothing to withdraw as it ends.
        QCOMPARE(app::ApplicationService().registerOnSessionBus(),
                 app::ApplicationService::Registration::NoBus);
        // The keyboard starts in the list, on a row: never on "Install All Scripts".
        QCOMPARE(window_.focusWidget(), view_);
        QCOMPARE(view_->currentIndex().row(), 0);
        // Accessible names are the visible texts, so voice control finds what the eye sees.
        for (QAbstractButton* control : window_.findChildren<QAbstractButton*>())
            QCOMPARE(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name),
                     control->text().remove(u'&'));
    }
    // A fresh user scripts folder; the list notices it was replaced and reads it again.
    void init() {
        defaults::resetAllValues();
        QSignalSpy reset(model_, &QAbstractItemModel::modelReset);
        QSignalSpy known(model_, &ScriptListModel::statesKnown);
        QDir(box_.userScripts).removeRecursively();
        QDir(installer::stateFolder()).removeRecursively();
        QDir().mkpath(box_.userScripts);
        QTRY_VERIFY(reset.count() > 0 && known.count() > 0);
        QCOMPARE(column(1), QStringList(model_->rowCount(), "Not installed"));
    }

    // Natural order, states, and then only the rows that changed, as the folders change.
    void listFollowsFolders() {
        QCOMPARE(column(0), (QStringList{".Startup Hook.sh", "Open Recent.sh", "Window Tools",
                                         "Word Count.txt"}));
        QCOMPARE(column(1), QStringList(4, "Not installed"));
        QSignalSpy reset(model_, &QAbstractItemModel::modelReset);
        QSignalSpy inserted(model_, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(model_, &QAbstractItemModel::rowsRemoved);
        QVERIFY(controller_.installScript(box_.source("Word Count.txt")));
        QTRY_COMPARE(stateOf("Word Count.txt"), QStringLiteral("Installed"));
        test::write(box_.installed("Word Count.txt"), "edited");
        QTRY_COMPARE(stateOf("Word Count.txt"), QStringLiteral("Edited by you"));
        test::write(box_.source("Script 10.sh"), "10");
        test::write(box_.source("Script 9.sh"), "9");
        QTRY_COMPARE(model_->rowCount(), 6);
        QCOMPARE(column(0).mid(2, 2), (QStringList{"Script 9.sh", "Script 10.sh"}));
        QFile::remove(box_.source("Script 9.sh"));
        QFile::remove(box_.source("Script 10.sh"));
        QTRY_COMPARE(model_->rowCount(), 4);
        QCOMPARE(reset.count(), 0);
        QCOMPARE(inserted.count(), 2);
        QCOMPARE(removed.count(), 2);
    }

    // The list is one stop for Tab; Return installs, Delete moves to the Trash after asking,
    // the Menu key offers both; the row's own buttons answer the mouse.
    void keyboardAndMouse() {
        view_->setFocus();
        view_->setCurrentIndex(model_->index(rowOf("Open Recent.sh"), 0));
        QTest::keyClick(view_, Qt::Key_Return);
        TWK_WAIT_UNTIL_IDLE(controller_);
        QTRY_COMPARE(stateOf("Open Recent.sh"), QStringLiteral("Installed"));
        // Said as a notification that is shown, which screen readers speak.
        QAccessibleInterface* said = QAccessible::queryAccessibleInterface(window_.announcer());
        QTRY_COMPARE(said->text(QAccessible::Name), QStringLiteral("'Open Recent.sh' installed."));
        QVERIFY(said->role() == QAccessible::Notification && !said->state().invisible);
        test::SheetAnswers answering;
        answering.then(0);
        QTest::keyClick(view_, Qt::Key_Delete);
        TWK_WAIT_UNTIL_IDLE(controller_);
        QCOMPARE(answering.seen.size(), 1);
        QCOMPARE(answering.seen.first().defaultButton, QStringLiteral("Cancel"));
        QTRY_COMPARE(stateOf("Open Recent.sh"), QStringLiteral("Not installed"));
        QVERIFY(QFileInfo::exists(environment::dataHome() + "/Trash/files/Open Recent.sh"));
        QTRY_COMPARE(said->text(QAccessible::Name),
                     QStringLiteral("'Open Recent.sh' was moved to the Trash."));

        QMenu* menu = nullptr;
        QTest::keyClick(view_, Qt::Key_F10, Qt::ShiftModifier); // the Menu key's stand-in
        QTRY_VERIFY((menu = window_.findChild<QMenu*>("scriptMenu")) && menu->isVisible());
        menu->close();
        QTRY_VERIFY(!window_.findChild<QMenu*>("scriptMenu"));
        QTest::keyClick(view_, Qt::Key_Menu);
        QTRY_VERIFY((menu = window_.findChild<QMenu*>("scriptMenu")) && menu->isVisible());
        const QList<QAction*> actions = menu->actions();
        QCOMPARE(actions.size(), 3);
        QVERIFY(actions[0]->isEnabled() && !actions[1]->isEnabled() && !actions[2]->isEnabled());
        QCOMPARE(actions[2]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
        actions[0]->trigger();
        menu->close();
        QTRY_VERIFY(!window_.findChild<QMenu*>("scriptMenu")); // gone once closed
        TWK_WAIT_UNTIL_IDLE(controller_);
        QTRY_COMPARE(stateOf("Open Recent.sh"), QStringLiteral("Installed"));

        // Installing everything shows its progress, and hides it at the end.
        auto* progress = child<QProgressBar>("installProgress");
        QSignalSpy steps(&controller_, &installer::UIManager::bulkInstallProgress);
        test::SheetAnswers done;
        done.then(0);
        controller_.installAllScripts();
        TWK_WAIT_UNTIL_IDLE(controller_);
        QCOMPARE(steps.size(), 4);
        QVERIFY(!progress->isVisible() && progress->maximum() == 4 && progress->value() == 4);
        QDir(box_.installed("Window Tools")).removeRecursively();
        QTRY_COMPARE(stateOf("Window Tools"), QStringLiteral("Not installed"));

        // The row's drawn buttons: Reinstall is off for a copy that is the same; Install works.
        const QRect actionsCell =
            view_->visualRect(model_->index(rowOf("Window Tools"), ScriptListModel::ActionsColumn));
        const QImage drawn = view_->viewport()->grab(actionsCell).toImage();
        QSet<QRgb> colours; // buttons are drawn there, not an empty cell
        for (int x = 0; x < drawn.width(); ++x)
            colours.insert(drawn.pixel(x, drawn.height() / 2));
        QVERIFY(colours.size() > 3);
        QTest::mouseClick(view_->viewport(), Qt::LeftButton, {},
                          actionsCell.topLeft() + QPoint(12, actionsCell.height() / 2));
        TWK_WAIT_UNTIL_IDLE(controller_);
        QTRY_COMPARE(stateOf("Window Tools"), QStringLiteral("Installed"));
        QCOMPARE(view_->currentIndex().row(), rowOf("Open Recent.sh")); // a button, not a row

        // Tab goes from the list through the controls below it and back. Only while the list
        // has the keyboard is its current row the focus for assistive technology.
        QApplication::setActiveWindow(&window_);
        view_->setFocus();
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(view_);
        QAccessibleInterface* current = list->tableInterface()->cellAt(rowOf("Open Recent.sh"), 0);
        QStringList order;
        do {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order.append(QApplication::focusWidget()->objectName());
            QCOMPARE(current->state().focused, view_->hasFocus());
        } while (order.size() < 6 && !view_->hasFocus());
        QCOMPARE(order,
                 (QStringList{"installAllButton", "showScriptsButton", "showUserScriptsButton",
                              "askBeforeInstallingCheck", "scriptList"}));
        QCOMPARE(list->focusChild(), current);
    }

    // What assistive technology gets of a row: each cell as it reads, and the row's actions
    // under their drawn titles on every cell; an action does what its button does.
    void rowsForAssistiveTechnology_data() {
        QTest::addColumn<QString>("setUp");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("afterFirstAction");
        QTest::newRow("not installed")
            << "" << QStringList{"Open Recent.sh", "Not installed", "Install"} << "Installed";
        QTest::newRow("installed")
            << "install" << QStringList{"Open Recent.sh", "Installed", "Remove…"}
            << "Not installed";
        QTest::newRow("edited: asked, and kept by default")
            << "install,edit"
            << QStringList{"Open Recent.sh", "Edited by you",
                           "Reinstall…, Remove…, Show Differences…"}
            << "Edited by you";
        QTest::newRow("no user scripts folder")
            << "no folder" << QStringList{"Open Recent.sh", "Not installed", ""} << "";
    }
    void rowsForAssistiveTechnology() {
        QFETCH(QString, setUp);
        QFETCH(QStringList, cells);
        QFETCH(QString, afterFirstAction);
        const QString name = cells.first();
        if (setUp.contains("install"))
            QVERIFY(controller_.installScript(box_.source(name)));
        if (setUp.contains("edit"))
            test::write(box_.installed(name), "edited");
        if (setUp.contains("no folder")) {
            QDir(box_.userScripts).removeRecursively();
            QTRY_VERIFY(!child<QPushButton>("installAllButton")->isEnabled());
        }
        QTRY_COMPARE(stateOf(name), cells[1]);
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(view_);
        QAccessibleTableInterface* table = list->tableInterface();
        QVERIFY(list->role() == QAccessible::Table && table);
        const QStringList actions = cells[2].isEmpty() ? QStringList() : cells[2].split(", ");
        for (int column = 0; column < ScriptListModel::ColumnCount; ++column) {
            QAccessibleInterface* cell = table->cellAt(rowOf(name), column);
            QCOMPARE(cell->text(QAccessible::Name), cells[column]);
            QCOMPARE(cell->actionInterface()->actionNames(), actions);
            QCOMPARE(list->child(list->indexOfChild(cell)), cell);
        }
        if (afterFirstAction.isEmpty())
            return;
        test::SheetAnswers answering;
        answering.then(0); // "Move to Trash", or "Keep My Edits", when asked
        table->cellAt(rowOf(name), 0)->actionInterface()->doAction(actions.first());
        TWK_WAIT_UNTIL_IDLE(controller_);
        QTRY_COMPARE(stateOf(name), afterFirstAction);
    }

    // The header row reads as the column titles, and nothing more; the list's parts go with
    // the list, so that a screen reader never holds on to a part of a list that is gone.
    void listPartsLiveWithTheList() {
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(view_);
        for (int column = 0; column < ScriptListModel::ColumnCount; ++column) {
            QAccessibleInterface* header = list->child(column);
            QCOMPARE(header->role(), QAccessible::ColumnHeader);
            QCOMPARE(header->text(QAccessible::Name),
                     model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
            QCOMPARE(header->text(QAccessible::Description), QString());
        }
        QVERIFY(!list->child(-1) && !list->child(list->childCount())); // no part past the last
        // Rows are what is chosen: a column cannot be.
        QVERIFY(!list->tableInterface()->selectColumn(0) &&
                !list->tableInterface()->unselectColumn(0));
        auto* other = new app::MainWindow;
        other->connectController(&controller_);
        QAccessibleInterface* otherList =
            QAccessible::queryAccessibleInterface(other->findChild<app::ScriptListView*>());
        const QAccessible::Id header = QAccessible::uniqueId(otherList->child(0));
        QVERIFY(QAccessible::accessibleInterface(header));
        delete other;
        QVERIFY(!QAccessible::accessibleInterface(header));
    }

    // Ctrl+D on a row shows its differences on the window, every character as text; added and
    // removed lines are tinted so that they read on a light palette and a dark one alike.
    void differencesView() {
        QVERIFY(controller_.installScript(box_.source("Word Count.txt")));
        test::write(box_.installed("Word Count.txt"), "mine\n\x1b[2J<b>\n");
        QTRY_COMPARE(stateOf("Word Count.txt"), QStringLiteral("Edited by you"));
        view_->setFocus();
        view_->setCurrentIndex(model_->index(rowOf("Word Count.txt"), 0));
        QTest::keyClick(view_, Qt::Key_D, Qt::ControlModifier);
        platform::DifferencesView* shown = nullptr;
        QTRY_VERIFY((shown = window_.findChild<platform::DifferencesView*>()) &&
                    shown->isVisible() && shown->windowModality() == Qt::WindowModal);
        auto closeView = qScopeGuard([&shown] { shown->reject(); });
        QTextBlock yours = shown->text()->document()->begin(); // the user's lines are removed
        while (yours.isValid() && (!yours.text().startsWith(u'-') || yours.text().startsWith("--")))
            yours = yours.next();
        QCOMPARE(yours.text() + u'|' + yours.next().text(), QStringLiteral("-mine|-\\u001B[2J<b>"));
        QCOMPARE(yours.blockFormat().background().color(),
                 platform::DifferencesView::tint(platform::DiffViewLine::Kind::Removed,
                                                 shown->palette()));
        auto luminance = [](const QColor& c) {
            auto channel = [](float v) {
                return v <= 0.03928f ? v / 12.92f : std::pow((v + 0.055f) / 1.055f, 2.4f);
            };
            return 0.2126f * channel(c.redF()) + 0.7152f * channel(c.greenF()) +
                   0.0722f * channel(c.blueF());
        };
        for (const auto& [base, text] : {std::pair(QColor(Qt::white), QColor(Qt::black)),
                                         std::pair(QColor(0x1e1e1e), QColor(0xe0e0e0))}) {
            QPalette palette;
            palette.setColor(QPalette::Base, base);
            palette.setColor(QPalette::Text, text);
            for (const auto kind :
                 {platform::DiffViewLine::Kind::Added, platform::DiffViewLine::Kind::Removed}) {
                const QColor tint = platform::DifferencesView::tint(kind, palette);
                const float a = luminance(tint), b = luminance(text);
                QVERIFY(tint != base && (std::max(a, b) + 0.05f) / (std::min(a, b) + 0.05f) > 4.5f);
            }
        }
        closeView.dismiss();
        shown->reject();
        TWK_WAIT_UNTIL_IDLE(controller_);
    }

    // A sheet's details take the keyboard as they are shown, under a name.
    void sheetDetails() {
        auto alert = std::make_unique<alert::Alert>();
        alert->setMessageText(QStringLiteral("Done"));
        alert->addButtonWithTitle(QStringLiteral("OK"));
        alert->setDetailedText(QStringLiteral("why"));
        QPointer<alert::Alert> shown;
        platform::setSheetAnswererForTesting([&shown](alert::Alert& sheet) {
            shown = &sheet;
            return -1;
        });
        platform::beginSheetModalForWindow(std::move(alert), &window_);
        QTRY_VERIFY(shown);
        platform::setSheetAnswererForTesting({});
        auto* details = shown->findChild<QTextEdit*>();
        QVERIFY(details && !details->isVisible());
        QCOMPARE(QAccessible::queryAccessibleInterface(details)->text(QAccessible::Name),
                 QStringLiteral("Details"));
        QVERIFY(details->focusPolicy() & Qt::TabFocus);
        for (QPushButton* button : shown->findChildren<QPushButton*>()) {
            if (!shown->addedButtons().contains(button))
                button->click(); // "Show Details…"
        }
        QApplication::setActiveWindow(shown);
        QTRY_VERIFY(details->hasFocus());
        shown->addedButtons().first()->click();
        QTRY_VERIFY(!shown);
    }

    // What is drawn for a hostile name: the list's text, its tooltip as rendered, what a
    // screen reader gets; never markup, never a reordered name.
    void hostileNamesAreShownAsText() {
        for (const QString& name :
             {QStringLiteral("<a href='x:y'>click me</a>") + QString(200, u'w'),
              QStringLiteral("<img src='file:///etc/hosts'>"), QStringLiteral("&lt;b&gt;bold"),
              QString::fromUtf8("invoice\u202Ehs.txt"), QStringLiteral("a\x1b[2Jb")}) {
            const QString file = QString(name).replace(u'/', u'\u2215');
            test::write(box_.source(file), "x");
            reload();
            const QModelIndex index = model_->index(rowOf(file), 0);
            const QString visible = text::visibleText(file);
            QCOMPARE(index.data().toString(), visible);
            // Only a name cut off gets a tooltip, drawn as text; moving on hides it.
            QHelpEvent help(QEvent::ToolTip, view_->visualRect(index).center(), {});
            QApplication::sendEvent(view_->viewport(), &help);
            QTRY_COMPARE(QToolTip::isVisible()
                             ? QTextDocumentFragment::fromHtml(QToolTip::text()).toPlainText()
                             : QString(),
                         name.size() > 100 ? visible : QString());
            QCOMPARE(QAccessible::queryAccessibleInterface(view_)
                         ->tableInterface()
                         ->cellAt(index.row(), 0)
                         ->text(QAccessible::Name),
                     visible);
            QFile::remove(box_.source(file));
        }
    }

    // Controls that cannot work are off, and the window says why.
    void controlsThatCannotWork() {
        auto* installAll = child<QPushButton>("installAllButton");
        auto* showUser = child<QPushButton>("showUserScriptsButton");
        auto* reason = child<QLabel>("reasonLabel");
        QVERIFY(installAll->isEnabled() && showUser->isEnabled() && !reason->isVisible());
        QDir(box_.userScripts).removeRecursively();
        QTRY_VERIFY(!installAll->isEnabled());
        QVERIFY(!showUser->isEnabled() && reason->isVisible());
        const QRect cell = view_->visualRect(model_->index(0, ScriptListModel::ActionsColumn));
        QTest::mouseClick(view_->viewport(), Qt::LeftButton, {},
                          cell.topLeft() + QPoint(12, cell.height() / 2));
        QVERIFY(!controller_.isBusy()); // a row's Install is off too
        QCOMPARE(reason->text(), "The User Scripts directory " + box_.userScripts +
                                     " does not exist yet: open Tarnwick once to create it.");
        QCOMPARE(reason->textFormat(), Qt::PlainText);
        QDir().mkpath(box_.userScripts); // Tarnwick made it: noticed without a refresh
        QTRY_VERIFY(installAll->isEnabled() && !reason->isVisible());
        // Focus shows on the button, and differs from how its default state looks.
        const QImage unfocused = installAll->grab().toImage();
        QApplication::setActiveWindow(&window_);
        view_->setFocus();
        for (int presses = 0; presses < 10 && !installAll->hasFocus(); ++presses)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(installAll->hasFocus() && !installAll->isDefault());
        QVERIFY(installAll->grab().toImage() != unfocused);
        // Either folder shown in the desktop's file browser.
        QTest::mouseClick(child<QPushButton>("showScriptsButton"), Qt::LeftButton);
        QTest::mouseClick(showUser, Qt::LeftButton);
        QStringList opened;
        QTRY_COMPARE((opened = QString::fromUtf8(test::read(box_.root + "/folders-opened.log"))
                                   .split(u'\n', Qt::SkipEmptyParts))
                         .size(),
                     2);
        opened.sort();
        QCOMPARE(opened, (QStringList{box_.sourceScripts, box_.userScripts}));
    }

    // The ask checkbox shows the stored choice, follows the file when another process changes
    // it, and says so when the user's choice cannot be saved: here because another process
    // holds the lock for ever (a stuck instance, a hung network file system), which never
    // freezes the window.
    void askCheckbox() {
        auto* ask = child<QCheckBox>("askBeforeInstallingCheck");
        QVERIFY(ask->isChecked());
        // Clicked on the box itself.
        QTest::mouseClick(ask, Qt::LeftButton, {}, QPoint(8, ask->height() / 2));
        QTRY_VERIFY(defaults::UserDefaults(defaults::UserDefaults::standardFilePath())
                        .boolForKey("QZ_DontAskToInstall"));
        defaults::UserDefaults other(defaults::UserDefaults::standardFilePath());
        other.setBool(false, "QZ_DontAskToInstall");
        QVERIFY(other.synchronize().ok());
        QTRY_VERIFY(ask->isChecked());
        test::SheetAnswers answering;
        answering.then(0);
        const posix::Fd folder(::open(QFile::encodeName(box_.config).constData(), O_RDONLY));
        QCOMPARE(::flock(folder.get(), LOCK_EX), 0);
        QElapsedTimer clicked;
        clicked.start();
        QTest::mouseClick(ask, Qt::LeftButton, {}, QPoint(8, ask->height() / 2));
        QVERIFY(clicked.elapsed() < posix::FolderLock::DefaultDeadline.count());
        QTRY_COMPARE(answering.seen.size(), 1);
        QCOMPARE(answering.seen.first().text, QStringLiteral("Your choice could not be saved"));
        QVERIFY2(answering.seen.first().informative.contains("held it for too long"),
                 qPrintable(answering.seen.first().informative));
        QVERIFY(!other.boolForKey("QZ_DontAskToInstall")); // not written, still pending
    }

    // In the user's language: the whole sheet, with the language's quotes and spaces, and a
    // count in each plural form (English's own plural forms lie under every language).
    void inTheirLanguage_data() {
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QStringList>("texts"); // question, buttons, outcome, 1 and 2 kept
        QTest::newRow("English") << QByteArray("C.UTF-8")
                                 << QStringList{"Install script 'Word Count.txt' ?",
                                                "Install Script",
                                                "Cancel",
                                                "Script 'Word Count.txt' - was not installed",
                                                "Your edits to 1 script were kept.",
                                                "Your edits to 2 scripts were kept."};
        QTest::newRow("German") << QByteArray("de_DE.UTF-8")
                                << QStringList{
                                       "Skript „Word Count.txt“ installieren?",
                                       "Skript installieren",
                                       "Abbrechen",
                                       "Das Skript „Word Count.txt“ wurde nicht installiert",
                                       "Ihre Bearbeitungen an einem Skript wurden behalten.",
                                       "Ihre Bearbeitungen an 2 Skripten wurden behalten."};
        QTest::newRow("French")
            << QByteArray("fr_FR.UTF-8")
            << QStringList{"Installer le script «\u00a0Word Count.txt\u00a0»\u202f?",
                           "Installer le script",
                           "Annuler",
                           "Le script «\u00a0Word Count.txt\u00a0» n’a pas été installé",
                           "Vos modifications de 1 script ont été conservées.",
                           "Vos modifications de 2 scripts ont été conservées."};
    }
    void inTheirLanguage() {
        QFETCH(QByteArray, locale);
        QFETCH(QStringList, texts);
        qputenv("LANG", "de_DE.UTF-8");
        qunsetenv("LC_ALL");
        qputenv("LANGUAGE", "fr:de_DE");
        QCOMPARE(app::uiLanguages(), (QStringList{"fr", "de_DE", "de"})); // as gettext reads them
        qputenv("LC_MESSAGES", "C");
        QCOMPARE(app::uiLanguages(), QStringList()); // the C locale: LANGUAGE does not count
        qunsetenv("LC_MESSAGES");
        qunsetenv("LANGUAGE");
        QCOMPARE(app::uiLanguages(), (QStringList{"de_DE", "de"}));
        qputenv("LANG", locale);
        app::installTranslators(*qApp);
        test::SheetAnswers answering;
        answering.then(1).then(0);
        controller_.handleURL(
            platform::Url::urlWithString("twkscriptinstall://x?script=Word%20Count.txt"));
        TWK_WAIT_UNTIL_IDLE(controller_);
        QStringList shown;
        for (int kept : {1, 2})
            shown.append(
                installer::Messages::tr("Your edits to %n scripts were kept.", nullptr, kept));
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
        qputenv("LC_ALL", "C.UTF-8");
        QCOMPARE(answering.seen.size(), 2);
        QCOMPARE(QStringList{answering.seen[0].text} + answering.seen[0].buttons +
                     QStringList{answering.seen[1].informative} + shown,
                 texts);
    }
};

TWK_TEST_MAIN(TestWindow, {"--file-browser"})
#include "test_window.moc"

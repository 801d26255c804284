// What the window adds to the described one: the script list with its states, kept current
// while files change; removing an installed copy; the "Ask before installing" checkbox and
// the stored choice following each other; progress; and the terminal options.

#include "app/MainWindow.h"
#include "installer/ScriptCatalog.h"
#include "installer/UIManager.h"
#include "support/defaults/Shortcuts.h"
#include "tests/common/InstallerWindow.h"
#include "tests/common/Sheets.h"
#include "tests/common/TestSandbox.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QTreeWidget>
#include <QtTest>

using namespace twk;
using installer::ScriptState;
using test::readText;
using test::writeText;

namespace {

struct Run {
    int status;
    QString output;
};

Run terminal(const QStringList& arguments) {
    QProcess process;
    process.start(test::builtProgram(QStringLiteral("twk-script-installer")), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
}

} // namespace

class TestScriptList : public QObject {
    Q_OBJECT
    installer::UIManager controller_;
    app::MainWindow window_;
    const test::Sandbox& box_ = test::sandbox();

    QTreeWidget* list() { return window_.findChild<QTreeWidget*>(QStringLiteral("scriptList")); }
    QString stateShown(const QString& name) {
        const auto items = list()->findItems(name, Qt::MatchExactly);
        return items.isEmpty() ? QString() : items.first()->text(1);
    }
    QString installed(const QString& name) const { return box_.userScripts + u'/' + name; }
    QString source(const QString& name) const { return box_.sourceScripts + u'/' + name; }

private Q_SLOTS:
    void initTestCase() {
        test::showInstallerWindow(window_, controller_);
        QTRY_COMPARE(list()->topLevelItemCount(), 4);
    }

    void init() {
        defaults::resetAllValues();
        QDir(box_.userScripts).removeRecursively();
        QDir().mkpath(box_.userScripts);
    }

    void statesOfRealFolders() {
        QVERIFY(
            installer::installScript(source(QStringLiteral("Open Recent.sh")), box_.userScripts));
        QVERIFY(installer::installScript(source(QStringLiteral("Window Tools")), box_.userScripts));
        writeText(installed(QStringLiteral("Word Count.txt")) + QStringLiteral("/inside"),
                  "a folder, not a file");
        const auto catalog = installer::scriptCatalog(box_.sourceScripts, box_.userScripts);
        QCOMPARE(catalog.scripts.size(), 4);
        QCOMPARE(catalog.scripts[0].name, QStringLiteral(".Startup Hook.sh"));
        QCOMPARE(catalog.scripts[0].state, ScriptState::NotInstalled);
        QCOMPARE(catalog.scripts[1].state, ScriptState::Installed);
        QCOMPARE(catalog.scripts[2].state, ScriptState::Installed);
        QCOMPARE(catalog.scripts[3].state, ScriptState::Different); // another kind

        // Same size, other bytes, other time: different. Same bytes, other time: the same.
        const QString copy = installed(QStringLiteral("Open Recent.sh"));
        QByteArray bytes = readText(copy).toUtf8();
        bytes[bytes.size() - 2] = '!';
        writeText(copy, bytes);
        QVERIFY(!installer::sameItem(source(QStringLiteral("Open Recent.sh")), copy));
        writeText(copy, readText(source(QStringLiteral("Open Recent.sh"))).toUtf8());
        QVERIFY(installer::sameItem(source(QStringLiteral("Open Recent.sh")), copy));
        // A file added inside an installed folder makes it different.
        writeText(installed(QStringLiteral("Window Tools/extra.sh")), "x");
        QVERIFY(!installer::sameItem(source(QStringLiteral("Window Tools")),
                                     installed(QStringLiteral("Window Tools"))));
    }

    void listFollowsTheFolders() {
        QTRY_COMPARE(stateShown(QStringLiteral("Open Recent.sh")), QStringLiteral("Not installed"));
        QVERIFY(
            installer::installScript(source(QStringLiteral("Open Recent.sh")), box_.userScripts));
        QTRY_COMPARE(stateShown(QStringLiteral("Open Recent.sh")), QStringLiteral("Installed"));
        writeText(installed(QStringLiteral("Open Recent.sh")), "edited by the user");
        QTRY_COMPARE(stateShown(QStringLiteral("Open Recent.sh")),
                     QStringLiteral("Installed, differs from Tarnwick's copy"));
        writeText(source(QStringLiteral("New Script.sh")), "new in Tarnwick");
        QTRY_COMPARE(stateShown(QStringLiteral("New Script.sh")), QStringLiteral("Not installed"));
        QFile::remove(source(QStringLiteral("New Script.sh")));
        QTRY_COMPARE(list()->topLevelItemCount(), 4);
    }

    void perScriptInstallButton() {
        auto* install = window_.findChild<QPushButton*>(QStringLiteral("install:Window Tools"));
        QTRY_VERIFY(
            (install = window_.findChild<QPushButton*>(QStringLiteral("install:Window Tools"))) &&
            install->isEnabled());
        QCOMPARE(install->accessibleName(), QStringLiteral("Install Window Tools"));
        QTest::mouseClick(install, Qt::LeftButton);
        QVERIFY(QFileInfo::exists(installed(QStringLiteral("Window Tools/arrange.sh"))));
        QTRY_COMPARE(stateShown(QStringLiteral("Window Tools")), QStringLiteral("Installed"));
    }

    void removingAsksFirstAndRemovesOnlyThatEntry() {
        QVERIFY(installer::installScript(source(QStringLiteral("Window Tools")), box_.userScripts));
        writeText(installed(QStringLiteral("Mine.sh")), "the user's own");
        QPushButton* remove = nullptr;
        QTRY_VERIFY(
            (remove = window_.findChild<QPushButton*>(QStringLiteral("remove:Window Tools"))) &&
            remove->isEnabled());
        QTest::mouseClick(remove, Qt::LeftButton);
        alert::Alert* sheet = test::waitForSheet(&window_);
        QVERIFY(sheet);
        QCOMPARE(sheet->text(), QStringLiteral("Remove the installed copy of 'Window Tools' ?"));
        QCOMPARE(test::buttonTitles(sheet), (QStringList{"Remove", "Cancel"}));
        QCOMPARE(sheet->icon(), QMessageBox::Critical);
        QCOMPARE(sheet->defaultButton(), sheet->addedButtons()[0]);
        QCOMPARE(sheet->escapeButton(), sheet->addedButtons()[1]);
        test::press(sheet, QStringLiteral("Cancel"));
        QVERIFY(QFileInfo::exists(installed(QStringLiteral("Window Tools"))));

        QTRY_VERIFY(
            (remove = window_.findChild<QPushButton*>(QStringLiteral("remove:Window Tools"))));
        QTest::mouseClick(remove, Qt::LeftButton);
        test::press(test::waitForSheet(&window_), QStringLiteral("Remove"));
        QVERIFY(!QFileInfo::exists(installed(QStringLiteral("Window Tools"))));
        QCOMPARE(readText(installed(QStringLiteral("Mine.sh"))), QStringLiteral("the user's own"));
        QVERIFY(QFileInfo::exists(source(QStringLiteral("Window Tools/arrange.sh"))));
        QTRY_COMPARE(stateShown(QStringLiteral("Window Tools")), QStringLiteral("Not installed"));
    }

    void removalRefusesNamesOutsideTheFolder_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"", ".", "..", "../Tarnwick.app", "a/b"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void removalRefusesNamesOutsideTheFolder() {
        QFETCH(QString, name);
        writeText(box_.home + QStringLiteral("/Library/Application Scripts/precious"), "keep");
        QVERIFY(installer::removeInstalledScript(box_.userScripts, name).has_value());
        QVERIFY(QFileInfo::exists(box_.sourceScripts));
        QVERIFY(QFileInfo::exists(box_.userScripts));
        QCOMPARE(readText(box_.home + QStringLiteral("/Library/Application Scripts/precious")),
                 QStringLiteral("keep"));
    }

    void askCheckboxAndStoredChoiceFollowEachOther() {
        auto* ask = window_.findChild<QCheckBox*>(QStringLiteral("askBeforeInstallingCheck"));
        QVERIFY(ask->isChecked()); // nothing stored: asking
        QTest::mouseClick(ask, Qt::LeftButton);
        QCOMPARE(defaults::boolForKey(QStringLiteral("QZ_DontAskToInstall")), true);
        QTest::mouseClick(ask, Qt::LeftButton);
        QCOMPARE(defaults::boolForKey(QStringLiteral("QZ_DontAskToInstall")), false);

        // Ticking "Do not ask again" on a confirmation unticks the checkbox at once.
        QVERIFY(controller_.handleURL(platform::Url::urlWithString(
            QStringLiteral("twkscriptinstall://x?script=Open%20Recent.sh"))));
        alert::Alert* sheet = test::waitForSheet(&window_);
        sheet->suppressionButton()->setChecked(true);
        test::press(sheet, QStringLiteral("Install Script"));
        QVERIFY(!ask->isChecked());
        QTRY_COMPARE(test::sandbox().receivedUrls().size(), 1);
    }

    void progressOfABulkInstall() {
        QSignalSpy progress(&controller_, &installer::UIManager::bulkInstallProgress);
        QTest::mouseClick(window_.findChild<QPushButton*>(QStringLiteral("installAllButton")),
                          Qt::LeftButton);
        QCOMPARE(progress.size(), 4);
        QCOMPARE(progress.last().at(0).toInt(), 4);
        QCOMPARE(progress.last().at(1).toInt(), 4);
        QVERIFY(!window_.findChild<QProgressBar*>(QStringLiteral("installProgress"))->isVisible());
        test::press(test::waitForSheet(&window_), QStringLiteral("OK"));
    }

    void emptyStates() {
        const QString aside = box_.root + QStringLiteral("/scripts-aside");
        QVERIFY(QDir().rename(box_.sourceScripts, aside));
        QDir().mkpath(box_.sourceScripts);
        auto* empty = window_.findChild<QLabel*>(QStringLiteral("emptyLabel"));
        window_.hide();
        window_.show();
        QTRY_VERIFY(empty->isVisible());
        QCOMPARE(empty->text(), QStringLiteral("Tarnwick has no scripts to install."));
        QVERIFY(!list()->isVisible());
        QDir(box_.sourceScripts).removeRecursively();
        QVERIFY(QDir().rename(aside, box_.sourceScripts));
        window_.hide();
        window_.show();
        QTRY_VERIFY(list()->isVisible());
    }

    void terminalOptions() {
        QVERIFY(
            installer::installScript(source(QStringLiteral("Open Recent.sh")), box_.userScripts));
        const Run listing = terminal({QStringLiteral("--list")});
        QCOMPARE(listing.status, 0);
        QCOMPARE(listing.output,
                 QStringLiteral(".Startup Hook.sh\tnot installed\nOpen Recent.sh\tinstalled\n"
                                "Window Tools\tnot installed\nWord Count.txt\tnot installed\n"));
        const Run json = terminal({QStringLiteral("--list"), QStringLiteral("--json")});
        const QJsonArray array = QJsonDocument::fromJson(json.output.toUtf8()).array();
        QCOMPARE(array.size(), 4);
        QCOMPARE(array[1].toObject().value(QStringLiteral("state")).toString(),
                 QStringLiteral("installed"));

        const Run good = terminal({QStringLiteral("--install"), QStringLiteral("Window Tools"),
                                   QStringLiteral("Word Count.txt")});
        QCOMPARE(good.status, 0);
        QVERIFY(QFileInfo::exists(installed(QStringLiteral("Word Count.txt"))));
        const Run bad = terminal({QStringLiteral("--install"), QStringLiteral("../../x"),
                                  QStringLiteral("--help"), QStringLiteral(".Startup Hook.sh")});
        QCOMPARE(bad.status, 1);
        QVERIFY(bad.output.contains(
            QStringLiteral("not installed: ../../x: is not a valid script name")));
        QVERIFY(bad.output.contains(QStringLiteral("not installed: --help: not found")));
        QVERIFY(bad.output.contains(QStringLiteral("installed: .Startup Hook.sh")));
        QCOMPARE(terminal({QStringLiteral("--install")}).status, 2);
    }
};

TWK_TEST_MAIN_WITH_SANDBOX(TestScriptList)
#include "test_script_list.moc"

// The window's actions, end to end: the real window's controls clicked under the offscreen
// platform, the demo Tarnwick found through GIO, real files, and the sheet read back.

#include "app/MainWindow.h"
#include "installer/UIManager.h"
#include "tests/common/InstallerWindow.h"
#include "tests/common/LogCapture.h"
#include "tests/common/Sheets.h"
#include "tests/common/TestSandbox.h"

#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace twk;
using test::entries;
using test::readText;
using test::writeText;

namespace {

const QStringList DemoScripts{".Startup Hook.sh", "Open Recent.sh", "Window Tools",
                              "Word Count.txt"};

struct InstallAllRun {
    int exitCode;
    QString output;
    QString errors;
};

InstallAllRun runInstallAll(const QStringList& sandboxOptions) {
    QTemporaryDir dir;
    const QProcessEnvironment env = test::sandboxEnvironmentFor(dir.path(), sandboxOptions);
    QProcess run;
    run.setProcessEnvironment(env);
    run.start(test::builtProgram(QStringLiteral("twk-script-installer")),
              {QStringLiteral("--install-all")});
    run.waitForFinished(60000);
    return {run.exitCode(), QString::fromUtf8(run.readAllStandardOutput()),
            QString::fromUtf8(run.readAllStandardError())};
}

} // namespace

class TestBulkInstall : public QObject {
    Q_OBJECT
    installer::UIManager controller_;
    app::MainWindow window_;
    const test::Sandbox& box_ = test::sandbox();

    QPushButton* button(const char* name) {
        return window_.findChild<QPushButton*>(QLatin1String(name));
    }

    alert::Alert* clickInstallAll() {
        QTest::mouseClick(button("installAllButton"), Qt::LeftButton);
        return test::waitForSheet(&window_);
    }

private Q_SLOTS:
    void initTestCase() { test::showInstallerWindow(window_, controller_); }

    void init() {
        QDir(box_.userScripts).removeRecursively();
        QDir().mkpath(box_.userScripts);
    }

    void foldersAreFoundThroughTheDesktop() {
        QCOMPARE(controller_.scriptDir(), std::optional<QString>(box_.sourceScripts));
        QCOMPARE(controller_.userScriptDirectory(), box_.userScripts);
    }

    void installAllCopiesEverythingAndSaysDone() {
        test::LogCapture log;
        alert::Alert* sheet = clickInstallAll();
        QVERIFY(sheet);
        QCOMPARE(sheet->text(), QStringLiteral("Done"));
        QCOMPARE(sheet->informativeText(),
                 QStringLiteral("Scripts are copied, everything is splendid"));
        QCOMPARE(test::buttonTitles(sheet), QStringList{QStringLiteral("OK")});
        QCOMPARE(sheet->icon(), QMessageBox::Critical);
        QCOMPARE(sheet->parentWidget(), &window_);
        QCOMPARE(sheet->windowModality(), Qt::WindowModal);
        QCOMPARE(entries(box_.userScripts), DemoScripts);
        QCOMPARE(entries(box_.userScripts + QStringLiteral("/Window Tools")),
                 (QStringList{"README.txt", "arrange.sh"}));
        QVERIFY(log.lines.isEmpty());
        test::press(sheet, QStringLiteral("OK"));
        QVERIFY(box_.receivedUrls().isEmpty()); // dismissing "Done" does nothing more
    }

    void installAllReplacesOlderCopies() {
        writeText(box_.userScripts + QStringLiteral("/Open Recent.sh"), "old version");
        writeText(box_.userScripts + QStringLiteral("/Window Tools/obsolete.sh"), "old");
        writeText(box_.userScripts + QStringLiteral("/Mine.sh"), "the user's own script");
        alert::Alert* sheet = clickInstallAll();
        QCOMPARE(sheet->text(), QStringLiteral("Done"));
        test::press(sheet, QStringLiteral("OK"));
        QCOMPARE(readText(box_.userScripts + QStringLiteral("/Open Recent.sh")),
                 readText(box_.sourceScripts + QStringLiteral("/Open Recent.sh")));
        QCOMPARE(entries(box_.userScripts + QStringLiteral("/Window Tools")),
                 (QStringList{"README.txt", "arrange.sh"}));
        QCOMPARE(readText(box_.userScripts + QStringLiteral("/Mine.sh")),
                 QStringLiteral("the user's own script"));
    }

    void emptySourceFolderStillSaysDone() {
        const QString aside = box_.root + QStringLiteral("/scripts-aside");
        QVERIFY(QDir().rename(box_.sourceScripts, aside));
        QDir().mkpath(box_.sourceScripts);
        alert::Alert* sheet = clickInstallAll();
        QCOMPARE(sheet->text(), QStringLiteral("Done"));
        test::press(sheet, QStringLiteral("OK"));
        QVERIFY(entries(box_.userScripts).isEmpty());
        QDir(box_.sourceScripts).removeRecursively();
        QVERIFY(QDir().rename(aside, box_.sourceScripts));
    }

    // Every copy fails and is logged, the folder is not created, and the sheet says so
    // instead of calling it splendid.
    void missingUserFolder() {
        QDir(box_.userScripts).removeRecursively();
        test::LogCapture log;
        alert::Alert* sheet = clickInstallAll();
        QCOMPARE(sheet->text(), QStringLiteral("Some scripts were not installed"));
        QVERIFY2(sheet->informativeText().startsWith(
                     QStringLiteral("4 of 4 scripts could not be installed: ")),
                 qPrintable(sheet->informativeText()));
        QVERIFY(sheet->informativeText().contains(QStringLiteral("Window Tools")));
        QCOMPARE(test::buttonTitles(sheet), QStringList{QStringLiteral("OK")});
        QCOMPARE(sheet->icon(), QMessageBox::Critical);
        test::press(sheet, QStringLiteral("OK"));
        QCOMPARE(log.lines.size(), 4);
        for (const QString& line : log.lines)
            QVERIFY2(line.startsWith(QStringLiteral("error copying script: ")), qPrintable(line));
        QVERIFY(!QFileInfo::exists(box_.userScripts));
    }

    void unreadableSourceFolder() {
        const QString aside = box_.root + QStringLiteral("/scripts-aside");
        QVERIFY(QDir().rename(box_.sourceScripts, aside));
        writeText(box_.sourceScripts, "not a folder");
        test::LogCapture log;
        alert::Alert* sheet = clickInstallAll();
        QCOMPARE(sheet->text(), QStringLiteral("Some scripts were not installed"));
        QVERIFY(sheet->informativeText().contains(QStringLiteral("could not be read")));
        test::press(sheet, QStringLiteral("OK"));
        QCOMPARE(log.lines, QStringList{QStringLiteral("error getting script directory")});
        QFile::remove(box_.sourceScripts);
        QVERIFY(QDir().rename(aside, box_.sourceScripts));
    }

    void revealingFolders() {
        QFile::resize(box_.foldersOpened, 0);
        QTest::mouseClick(button("showUserScriptsButton"), Qt::LeftButton);
        QTest::mouseClick(button("showScriptsButton"), Qt::LeftButton);
        QTRY_COMPARE(box_.openedFolders().size(), 2);
        // GIO hands a program that takes %u a local path for a file URL.
        const QStringList opened = box_.openedFolders();
        QVERIFY(opened.contains(box_.userScripts));
        QVERIFY(opened.contains(box_.sourceScripts));
    }

    void headlessInstallAll() {
        const InstallAllRun run = runInstallAll({});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.output.contains(QStringLiteral("installed: Window Tools\n")));
        QVERIFY(run.output.contains(QStringLiteral("4 of 4 scripts installed into ")));
    }

    void headlessTarnwickNotFound_data() {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("says");
        QTest::newRow("no handler") << QStringList{QStringLiteral("--no-tarnwick")}
                                    << QStringLiteral("Tarnwick was not found");
        QTest::newRow("handler without its folder")
            << QStringList{QStringLiteral("--missing-bundle")}
            << QStringLiteral("could not be read");
    }
    void headlessTarnwickNotFound() {
        QFETCH(QStringList, options);
        QFETCH(QString, says);
        const InstallAllRun run = runInstallAll(options);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.output.contains(says), qPrintable(run.output));
        QVERIFY(run.errors.contains(QStringLiteral("error getting script directory")));
    }
};

TWK_TEST_MAIN_WITH_SANDBOX(TestBulkInstall, {QStringLiteral("--file-browser")})
#include "test_bulk_install.moc"

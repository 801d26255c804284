// Install requests end to end: real URLs handed to the controller, the demo Tarnwick found
// through GIO, real files, and the real sheets answered as a user would.

#include "app/MainWindow.h"
#include "installer/UIManager.h"
#include "support/defaults/Shortcuts.h"
#include "tests/common/InstallerWindow.h"
#include "tests/common/LogCapture.h"
#include "tests/common/Sheets.h"
#include "tests/common/TestSandbox.h"

#include <QDir>
#include <QDirIterator>
#include <QtTest>

using namespace twk;
using test::readText;
using test::writeText;

namespace {

const QString ReturnUrl = QStringLiteral("twkrelaunch://openFromScriptInstaller");
const QString DontAsk = QStringLiteral("QZ_DontAskToInstall");

std::optional<platform::Url> url(const QString& text) {
    return platform::Url::urlWithString(text);
}

// Every file and link below a folder with its size, to see that nothing changed.
QMap<QString, qint64> snapshot(const QString& root, const QString& skip) {
    QMap<QString, qint64> files;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!path.startsWith(skip))
            files.insert(path, it.fileInfo().size());
    }
    return files;
}

} // namespace

class TestInstallRequests : public QObject {
    Q_OBJECT
    installer::UIManager controller_;
    app::MainWindow window_;
    const test::Sandbox& box_ = test::sandbox();

    QString installed(const QString& name) const { return box_.userScripts + u'/' + name; }

    // The error sheet with its text; OK pressed; only then is Tarnwick opened, once more.
    void expectErrorSheet(const QString& text, bool tarnwickReachable = true) {
        const qsizetype before = box_.receivedUrls().size();
        alert::Alert* sheet = test::waitForSheet(&window_);
        QVERIFY(sheet);
        QCOMPARE(sheet->text(), QStringLiteral("Doh!"));
        QCOMPARE(sheet->informativeText(), text);
        QCOMPARE(test::buttonTitles(sheet), QStringList{QStringLiteral("OK")});
        QCOMPARE(sheet->icon(), QMessageBox::Critical);
        QTest::qWait(50);
        QCOMPARE(box_.receivedUrls().size(), before); // not before the sheet is dismissed
        test::press(sheet, QStringLiteral("OK"));
        if (tarnwickReachable)
            expectReturnToTarnwick(before + 1);
    }

    void expectReturnToTarnwick(qsizetype count) {
        QTRY_COMPARE(box_.receivedUrls().size(), count);
        QCOMPARE(box_.receivedUrls().last(), ReturnUrl);
    }

    // The confirmation sheet for that script, exactly as it must look; null otherwise.
    alert::Alert* expectConfirmation(const QString& name) {
        alert::Alert* sheet = test::waitForSheet(&window_);
        if (!sheet) {
            qDebug() << "no sheet opened";
            return nullptr;
        }
        const bool right =
            sheet->text() == QStringLiteral("Install script '%1' ?").arg(name) &&
            sheet->informativeText() ==
                QStringLiteral("Do you want TWK Script Installer to install this script in the "
                               "User Scripts directory where Tarnwick can run it?") &&
            test::buttonTitles(sheet) == QStringList{"Install Script", "Cancel"} &&
            sheet->icon() == QMessageBox::Critical && sheet->suppressionButton() &&
            !sheet->suppressionButton()->isChecked();
        if (!right) {
            qDebug() << "unexpected sheet:" << sheet->text() << sheet->informativeText()
                     << test::buttonTitles(sheet);
            return nullptr;
        }
        return sheet;
    }

    void noSheetAppears() {
        QTest::qWait(100);
        for (alert::Alert* sheet : window_.findChildren<alert::Alert*>())
            QVERIFY2(!sheet->isVisible(), qPrintable(sheet->informativeText()));
    }

private Q_SLOTS:
    void initTestCase() { test::showInstallerWindow(window_, controller_); }

    void init() {
        defaults::resetAllValues();
        QFile::resize(box_.received, 0);
        QDir(box_.userScripts).removeRecursively();
        QDir().mkpath(box_.userScripts);
        if (!window_.isVisible())
            window_.show();
    }

    void otherUrlsAreRefusedWithoutTrace_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("other scheme") << "https://example.org/?script=Open%20Recent.sh";
        QTest::newRow("relaunch scheme") << "twkrelaunch://x?script=Open%20Recent.sh";
        QTest::newRow("scheme as prefix") << "twkscriptinstallx://x?script=a";
        QTest::newRow("not a URL") << "twkscriptinstall://x?script=has space";
        QTest::newRow("no scheme") << "?script=Open%20Recent.sh";
        QTest::newRow("empty") << "";
    }
    void otherUrlsAreRefusedWithoutTrace() {
        QFETCH(QString, text);
        test::LogCapture log;
        QVERIFY(!controller_.handleURL(url(text)));
        noSheetAppears();
        QVERIFY(log.lines.isEmpty());
        QVERIFY(box_.receivedUrls().isEmpty());
        QVERIFY(!controller_.handleURL(std::nullopt));
    }

    void confirmedInstall() {
        QVERIFY(controller_.handleURL(
            url(QStringLiteral("twkscriptinstall://x?script=Open%20Recent.sh"))));
        alert::Alert* sheet = expectConfirmation(QStringLiteral("Open Recent.sh"));
        QVERIFY(sheet);
        QVERIFY(!QFileInfo::exists(installed(QStringLiteral("Open Recent.sh"))));
        test::press(sheet, QStringLiteral("Install Script"));
        QCOMPARE(readText(installed(QStringLiteral("Open Recent.sh"))),
                 readText(box_.sourceScripts + QStringLiteral("/Open Recent.sh")));
        expectReturnToTarnwick(1);
        QCOMPARE(defaults::boolForKey(DontAsk), false);
        noSheetAppears();
    }

    void folderScriptInstalledWhole() {
        QVERIFY(controller_.handleURL(
            url(QStringLiteral("twkscriptinstall://x?script=Window%20Tools"))));
        test::press(expectConfirmation(QStringLiteral("Window Tools")),
                    QStringLiteral("Install Script"));
        QVERIFY(QFileInfo::exists(installed(QStringLiteral("Window Tools/arrange.sh"))));
        expectReturnToTarnwick(1);
    }

    void declined() {
        QVERIFY(controller_.handleURL(
            url(QStringLiteral("twkscriptinstall://x?script=Open%20Recent.sh"))));
        test::press(expectConfirmation(QStringLiteral("Open Recent.sh")), QStringLiteral("Cancel"));
        expectErrorSheet(QStringLiteral("Script 'Open Recent.sh' - was not installed"));
        QVERIFY(!QFileInfo::exists(installed(QStringLiteral("Open Recent.sh"))));
        QCOMPARE(defaults::boolForKey(DontAsk), false);
    }

    // Ticked and declined: nothing installed, but the choice is stored for the next request.
    void tickAndCancel() {
        QVERIFY(controller_.handleURL(
            url(QStringLiteral("twkscriptinstall://x?script=Open%20Recent.sh"))));
        alert::Alert* sheet = expectConfirmation(QStringLiteral("Open Recent.sh"));
        QTest::mouseClick(sheet->suppressionButton(), Qt::LeftButton);
        test::press(sheet, QStringLiteral("Cancel"));
        expectErrorSheet(QStringLiteral("Script 'Open Recent.sh' - was not installed"));
        QVERIFY(!QFileInfo::exists(installed(QStringLiteral("Open Recent.sh"))));
        QCOMPARE(defaults::boolForKey(DontAsk), true);

        QFile::resize(box_.received, 0);
        QVERIFY(controller_.handleURL(
            url(QStringLiteral("twkscriptinstall://x?script=Word%20Count.txt"))));
        noSheetAppears();
        QVERIFY(QFileInfo::exists(installed(QStringLiteral("Word Count.txt"))));
        QTest::qWait(200);
        QVERIFY(box_.receivedUrls().isEmpty()); // the silent road does not go back to Tarnwick
    }

    void tickAndInstall() {
        QVERIFY(controller_.handleURL(
            url(QStringLiteral("twkscriptinstall://x?script=Open%20Recent.sh"))));
        alert::Alert* sheet = expectConfirmation(QStringLiteral("Open Recent.sh"));
        sheet->suppressionButton()->setChecked(true);
        test::press(sheet, QStringLiteral("Install Script"));
        QCOMPARE(defaults::boolForKey(DontAsk), true);
        expectReturnToTarnwick(1);
    }

    void storedChoiceInstallsAtOnce() {
        defaults::setBool(true, DontAsk);
        writeText(installed(QStringLiteral("Open Recent.sh")), "old");
        QVERIFY(controller_.handleURL(
            url(QStringLiteral("twkscriptinstall://x?script=Open%20Recent.sh"))));
        noSheetAppears();
        QCOMPARE(readText(installed(QStringLiteral("Open Recent.sh"))),
                 readText(box_.sourceScripts + QStringLiteral("/Open Recent.sh")));
        QTest::qWait(200);
        QVERIFY(box_.receivedUrls().isEmpty());
    }

    void storedChoiceStillChecksExistence() {
        defaults::setBool(true, DontAsk);
        QVERIFY(controller_.handleURL(url(QStringLiteral("twkscriptinstall://x?script=Nope.sh"))));
        expectErrorSheet(QStringLiteral("Script 'Nope.sh' - not found"));
    }

    void mixedCaseSchemeAndKey() {
        QVERIFY(controller_.handleURL(
            url(QStringLiteral("TwkScriptInstall://x?SCRIPT=Word%20Count.txt"))));
        test::press(expectConfirmation(QStringLiteral("Word Count.txt")),
                    QStringLiteral("Install Script"));
        QVERIFY(QFileInfo::exists(installed(QStringLiteral("Word Count.txt"))));
        expectReturnToTarnwick(1);
    }

    void valueKeepsItsCase() {
        QVERIFY(controller_.handleURL(
            url(QStringLiteral("twkscriptinstall://x?script=word%20count.txt"))));
        expectErrorSheet(QStringLiteral("Script 'word count.txt' - not found"));
    }

    void errorTexts_data() {
        QTest::addColumn<QString>("request");
        QTest::addColumn<QString>("text");
        QTest::newRow("no question mark") << "twkscriptinstall://x"
                                          << "Script install didn't specify a script";
        QTest::newRow("no script attribute") << "twkscriptinstall://x?other=1"
                                             << "Script install didn't specify a script";
        QTest::newRow("undecodable name") << "twkscriptinstall://x?script=%E2%28"
                                          << "Script install didn't specify a script";
        QTest::newRow("missing") << "twkscriptinstall://x?script=Nope.sh"
                                 << "Script 'Nope.sh' - not found";
        QTest::newRow("object directive") << "twkscriptinstall://x?script=%25@"
                                          << "Script '%@' - not found";
        QTest::newRow("directives") << "twkscriptinstall://x?script=%25n%25s%25d%25%25"
                                    << "Script '%n%s%d%%' - not found";
        QTest::newRow("empty name") << "twkscriptinstall://x?script="
                                    << "Script '' - is not a valid script name";
        QTest::newRow("key alone") << "twkscriptinstall://x?script"
                                   << "Script '' - is not a valid script name";
        QTest::newRow("dot") << "twkscriptinstall://x?script=."
                             << "Script '.' - is not a valid script name";
        QTest::newRow("dot dot") << "twkscriptinstall://x?script=.."
                                 << "Script '..' - is not a valid script name";
        QTest::newRow("traversal") << "twkscriptinstall://x?script=..%2F..%2F.ssh"
                                   << "Script '../../.ssh' - is not a valid script name";
        QTest::newRow("double encoded") << "twkscriptinstall://x?script=..%252F.ssh"
                                        << "Script '..%2F.ssh' - not found";
        QTest::newRow("absolute") << "twkscriptinstall://x?script=%2Fetc%2Fpasswd"
                                  << "Script '/etc/passwd' - is not a valid script name";
        QTest::newRow("slash") << "twkscriptinstall://x?script=Window%20Tools/arrange.sh"
                               << "Script 'Window Tools/arrange.sh' - is not a valid script name";
        QTest::newRow("NUL") << "twkscriptinstall://x?script=Open%20Recent.sh%00"
                             << QStringLiteral(
                                    "Script 'Open Recent.sh%1' - is not a valid script name")
                                    .arg(QChar(0));
        QTest::newRow("newline") << "twkscriptinstall://x?script=a%0Ab"
                                 << "Script 'a\nb' - not found";
        QTest::newRow("dash") << "twkscriptinstall://x?script=--install-all"
                              << "Script '--install-all' - not found";
        QTest::newRow("very long") << "twkscriptinstall://x?script=" + QString(10000, u'a')
                                   << "Script '" + QString(10000, u'a') + "' - not found";
    }
    void errorTexts() {
        QFETCH(QString, request);
        QFETCH(QString, text);
        const auto before = snapshot(box_.root, box_.received);
        QVERIFY(controller_.handleURL(url(request)));
        expectErrorSheet(text);
        QCOMPARE(snapshot(box_.root, box_.received), before);
    }

    void linkInUserFolderIsReplacedNotFollowed() {
        defaults::setBool(true, DontAsk);
        const QString outside = box_.root + QStringLiteral("/outside");
        writeText(outside + QStringLiteral("/keep.txt"), "keep");
        QVERIFY(QFile::link(outside, installed(QStringLiteral("Window Tools"))));
        QVERIFY(controller_.handleURL(
            url(QStringLiteral("twkscriptinstall://x?script=Window%20Tools"))));
        QVERIFY(!QFileInfo(installed(QStringLiteral("Window Tools"))).isSymLink());
        QCOMPARE(QDir(outside).entryList(QDir::Files), QStringList{QStringLiteral("keep.txt")});
    }

    // A failed copy is not hidden, on either road that copies.
    void failedCopyIsReported() {
        QDir(box_.userScripts).removeRecursively();
        test::LogCapture log;
        QVERIFY(controller_.handleURL(
            url(QStringLiteral("twkscriptinstall://x?script=Open%20Recent.sh"))));
        test::press(expectConfirmation(QStringLiteral("Open Recent.sh")),
                    QStringLiteral("Install Script"));
        expectErrorSheet(QStringLiteral("Script 'Open Recent.sh' - could not be installed"));
        QCOMPARE(log.lines.size(), 1);
        QVERIFY(log.lines.first().startsWith(QStringLiteral("error copying script: ")));

        QFile::resize(box_.received, 0);
        defaults::setBool(true, DontAsk);
        QVERIFY(controller_.handleURL(
            url(QStringLiteral("twkscriptinstall://x?script=Open%20Recent.sh"))));
        expectErrorSheet(QStringLiteral("Script 'Open Recent.sh' - could not be installed"));
        QVERIFY(!QFileInfo::exists(box_.userScripts));
    }

    // Each sheet answers for its own request, whatever order the user answers them in.
    void twoRequestsTwoSheets() {
        QVERIFY(controller_.handleURL(
            url(QStringLiteral("twkscriptinstall://x?script=Open%20Recent.sh"))));
        QVERIFY(controller_.handleURL(
            url(QStringLiteral("twkscriptinstall://x?script=Word%20Count.txt"))));
        QList<alert::Alert*> sheets;
        QTRY_COMPARE((sheets = window_.findChildren<alert::Alert*>()).size(), 2);
        alert::Alert* first =
            sheets[0]->text().contains(QStringLiteral("Open Recent")) ? sheets[0] : sheets[1];
        alert::Alert* second = first == sheets[0] ? sheets[1] : sheets[0];
        test::press(second, QStringLiteral("Install Script"));
        expectReturnToTarnwick(1);
        test::press(first, QStringLiteral("Cancel"));
        expectErrorSheet(QStringLiteral("Script 'Open Recent.sh' - was not installed"));
        QVERIFY(QFileInfo::exists(installed(QStringLiteral("Word Count.txt"))));
        QVERIFY(!QFileInfo::exists(installed(QStringLiteral("Open Recent.sh"))));
    }

    void requestWhileWindowIsClosed() {
        window_.close();
        QVERIFY(!window_.isVisible());
        QVERIFY(controller_.handleURL(url(QStringLiteral("twkscriptinstall://x?script=Nope.sh"))));
        QVERIFY(window_.isVisible());
        expectErrorSheet(QStringLiteral("Script 'Nope.sh' - not found"));
    }

    void tarnwickNotFoundMeansNotFound() {
        const QString aside = box_.root + QStringLiteral("/bundle-aside");
        QVERIFY(QDir().rename(box_.bundle, aside));
        QVERIFY(controller_.handleURL(
            url(QStringLiteral("twkscriptinstall://x?script=Open%20Recent.sh"))));
        // Without its folder GIO cannot start Tarnwick either.
        expectErrorSheet(QStringLiteral("Script 'Open Recent.sh' - not found"), false);
        QVERIFY(QDir().rename(aside, box_.bundle));
    }
};

TWK_TEST_MAIN_WITH_SANDBOX(TestInstallRequests)
#include "test_install_requests.moc"

// Every road of an install request, and of the controller's other actions, as one row each:
// real URLs handed to the controller, the demo Tarnwick found through GIO, real files, the
// real sheets answered as a user would (and checked as they were drawn), the preference file,
// the Trash, and notifications seen by a small service on a private session bus.

#include "installer/ScriptFolders.h"
#include "installer/UIManager.h"
#include "platform/Sheet.h"
#include "platform/Workspace.h"
#include "support/alert/AlertBuilders.h"
#include "support/defaults/Shortcuts.h"
#include "support/defaults/UserDefaults.h"
#include "support/environment/BaseDirectories.h"
#include "support/log/SystemLog.h"
#include "support/text/DisplayText.h"
#include "tests/common/Sheets.h"
#include "tests/common/Testing.h"

#include <QApplication>
#include <QPushButton>
#include <QUrl>

using namespace twk;
using installer::RequestOutcome;
using installer::UIManager;

Q_DECLARE_METATYPE(twk::installer::RequestOutcome)

// One road of a request: the URL, the script it names, the stored choice, the copy installed
// before; the answers (button + 10 for a ticked box); then the sheets seen
// ("message|informative"), the outcome, whether the script is installed, Tarnwick opened
// again, the stored choice after, a copy in the Trash, and how many notifications.
struct Case {
    QString url, script;
    bool dontAsk;
    QByteArray before;
    QList<int> answers;
    QStringList sheets;
    twk::installer::RequestOutcome outcome;
    bool installed, reopened, dontAskAfter, trashed;
    int notified;
};
Q_DECLARE_METATYPE(Case)

namespace {

// A name that Qt would draw as a link, were it taken for markup.
const QString Markup = QStringLiteral("<a href='https:&#47;&#47;example.org'>click");
const QString Confirm = QStringLiteral("Do you want TWK Script Installer to install this script in "
                                       "the User Scripts directory where Tarnwick can run it?");
const QString Differs = QStringLiteral("\n\nAn installed copy differs from it; installing moves "
                                       "that copy to the Trash.");

} // namespace

class TestRequests : public QObject {
    Q_OBJECT
    const test::Sandbox& box_ = test::sandbox();
    test::PrivateBus bus_;
    test::NotificationService notifications_;
    QWidget window_;
    UIManager controller_;
    QStringList logged_;

private Q_SLOTS:
    void initTestCase() {
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus_.address().toUtf8());
        QVERIFY(notifications_.listen(bus_.address()));
        controller_.setMainWindow(&window_);
        window_.show();
        log::setLogSinkForTesting([this](const QString& line) { logged_.append(line); });
        test::write(box_.source(Markup), "x");
        test::write(box_.source(QString::fromUtf8("invoice\u202Ehs.txt")), "x");
        QFile::link(QStringLiteral("/nonexistent"), box_.source("dangling"));
    }
    void init() {
        defaults::resetAllValues();
        QFile::resize(box_.received, 0);
        QDir(box_.userScripts).removeRecursively();
        QDir(environment::dataHome() + "/Trash").removeRecursively();
        QDir(installer::stateFolder()).removeRecursively();
        QDir().mkpath(box_.userScripts);
        notifications_.received.clear();
        logged_.clear();
        window_.show();
    }
    // Nothing a test started may spill into the next one: a sheet shown after its answers
    // were gone would stay open.
    void cleanup() { TWK_WAIT_UNTIL_IDLE(controller_); }

    void requests_data() {
        // clang-format off
        QTest::addColumn<Case>("c");
        const QString open = QStringLiteral("Install script 'Open Recent.sh' ?|") + Confirm;
        auto row = [](const char* name, const QString& url, bool dontAsk, QByteArray before, QList<int> answers, QStringList sheets, RequestOutcome outcome, bool installed, bool reopened, bool dontAskAfter, bool trashed = false, int notified = 0) {
            const qsizetype at = url.indexOf(u"script=", 0, Qt::CaseInsensitive);
            const QString script = at < 0 ? QString() : QUrl::fromPercentEncoding(url.mid(at + 7).toUtf8());
            QTest::newRow(name) << Case{url, script, dontAsk, before, answers, sheets, outcome, installed, reopened, dontAskAfter, trashed, notified};
        };
        const QString request = QStringLiteral("twkscriptinstall://x?script=");
        row("confirmed", request + "Open%20Recent.sh", false, {}, {0}, {open}, RequestOutcome::Installed, true, true, false);
        row("declined by Escape", request + "Open%20Recent.sh", false, {}, {9, 0}, {open, "Doh!|Script 'Open Recent.sh' - was not installed"}, RequestOutcome::Declined, false, true, false);
        row("ticked and confirmed", request + "Open%20Recent.sh", false, {}, {10}, {open}, RequestOutcome::Installed, true, true, true);
        row("ticked and declined: no consent", request + "Open%20Recent.sh", false, {}, {11, 0}, {open, "Doh!|Script 'Open Recent.sh' - was not installed"}, RequestOutcome::Declined, false, true, false);
        row("stored choice", request + "Open%20Recent.sh", true, {}, {}, {}, RequestOutcome::Installed, true, false, true, false, 1);
        row("stored choice, missing script", request + "nope", true, {}, {0}, {"Doh!|Script 'nope' - not found"}, RequestOutcome::NotFound, false, true, true);
        row("case of scheme and key", "TwkScriptInstall://x?SCRIPT=Open%20Recent.sh", false, {}, {0}, {open}, RequestOutcome::Installed, true, true, false);
        row("other scheme", "https://x?script=Open%20Recent.sh", false, {}, {}, {}, RequestOutcome::NoScript, false, false, false);
        row("no script", request.left(request.size() - 7) + "other=1", false, {}, {0}, {"Doh!|Script install didn't specify a script"}, RequestOutcome::NoScript, false, true, false);
        row("no scheme", "twkscriptinstall", false, {}, {}, {}, RequestOutcome::NoScript, false, false, false);
        row("no question mark", "twkscriptinstall://x", false, {}, {0}, {"Doh!|Script install didn't specify a script"}, RequestOutcome::NoScript, false, true, false);
        row("not a valid name", request + "..%2F.ssh", false, {}, {0}, {"Doh!|Script '../.ssh' - is not a valid script name"}, RequestOutcome::InvalidName, false, true, false);
        row("format directives are text", request + "%25@%25d%25n", false, {}, {0}, {"Doh!|Script '%@%d%n' - not found"}, RequestOutcome::NotFound, false, true, false);
        row("markup is text", request + "%3Ca%20href%3D'https:%26%2347;%26%2347;example.org'%3Eclick", false, {}, {0}, {"Install script '" + Markup + "' ?|" + Confirm}, RequestOutcome::Installed, true, true, false);
        row("markup in a notification", request + "%3Ca%20href%3D'https:%26%2347;%26%2347;example.org'%3Eclick", true, {}, {}, {}, RequestOutcome::Installed, true, false, true, false, 1);
        row("direction controls shown", request + "invoice%E2%80%AEhs.txt", false, {}, {1, 0}, {"Install script 'invoice\\u202Ehs.txt' ?|" + Confirm, "Doh!|Script 'invoice\\u202Ehs.txt' - was not installed"}, RequestOutcome::Declined, false, true, false);
        row("edited copy to the Trash", request + "Open%20Recent.sh", false, "edited", {0}, {open + Differs}, RequestOutcome::Installed, true, true, false, true);
        row("edited copy asked about despite the stored choice", request + "Open%20Recent.sh", true, "edited", {1, 0}, {open + Differs, "Doh!|Script 'Open Recent.sh' - was not installed"}, RequestOutcome::Declined, false, true, true);
        row("same copy replaced", request + "Open%20Recent.sh", true, "same", {}, {}, RequestOutcome::Installed, true, false, true, false, 1);
        row("a folder", request + "Window%20Tools", false, {}, {0}, {"Install script 'Window Tools' ?|" + Confirm}, RequestOutcome::Installed, true, true, false);
        row("a dangling link", request + "dangling", true, {}, {}, {}, RequestOutcome::Installed, true, false, true, false, 1);
        row("no user scripts folder", request + "Open%20Recent.sh", true, "no folder", {0}, {"Doh!|Script 'Open Recent.sh' - could not be installed"}, RequestOutcome::NotInstalled, false, true, true, false, 1);
        // clang-format on
    }
    void requests() {
        QFETCH(Case, c);
        const auto& [url, script, dontAsk, before, answers, sheets, outcome, installed, reopened,
                     dontAskAfter, trashed, notified] = c;
        defaults::setBool(dontAsk, "QZ_DontAskToInstall");
        QVERIFY(defaults::UserDefaults::standardUserDefaults().synchronize().ok());
        if (before == "no folder")
            QDir(box_.userScripts).removeRecursively();
        else if (before == "same")
            QVERIFY(controller_.installScript(box_.source(script)));
        else if (!before.isEmpty())
            test::write(box_.installed(script), before);
        test::SheetAnswers answering;
        for (int answer : answers)
            answering.then(answer % 10, answer >= 10);
        QSignalSpy handled(&controller_, &UIManager::requestHandled);
        const bool isRequest = controller_.handleURL(platform::Url::urlWithString(url));
        QCOMPARE(isRequest, url.startsWith(u"twkscriptinstall:", Qt::CaseInsensitive));
        if (isRequest) {
            QTRY_COMPARE_WITH_TIMEOUT(handled.count(), 1, 20000);
            QCOMPARE(handled.first().at(1).value<RequestOutcome>(), outcome);
        }
        QStringList seen;
        for (const test::Sheet& sheet : answering.seen) {
            seen.append(sheet.text + u'|' + sheet.informative);
            QCOMPARE(sheet.icon, QMessageBox::Warning);
            QVERIFY(sheet.format == Qt::PlainText && sheet.informativeFormat == Qt::PlainText &&
                    sheet.windowModal);
            const bool confirmation = sheet.text.startsWith(u"Install script");
            QCOMPARE(sheet.checkbox, confirmation);
            QCOMPARE(sheet.buttons,
                     confirmation ? (QStringList{"Install Script", "Cancel"}) : QStringList{"OK"});
            QCOMPARE(sheet.defaultButton, sheet.buttons.first());
            QCOMPARE(!sheet.details.isEmpty(),
                     confirmation || outcome == RequestOutcome::NotInstalled); // why
            if (confirmation)
                QVERIFY2(sheet.details.startsWith(script == u"Window Tools"
                                                      ? QStringLiteral("A folder of 2 files")
                                                      : QStringLiteral("A file of")) &&
                             sheet.details.contains(before.isEmpty() ? "It is not installed yet."
                                                                     : "differs from it"),
                         qPrintable(sheet.details));
        }
        QCOMPARE(seen, sheets);
        QCOMPARE(!script.isEmpty() && (QFileInfo::exists(box_.installed(script)) ||
                                       QFileInfo(box_.installed(script)).isSymLink()),
                 installed || before == "edited");
        if (installed)
            QCOMPARE(test::tree(box_.installed(script)), test::tree(box_.source(script)));
        QTRY_COMPARE(box_.receivedUrls(), reopened
                                              ? QStringList{"twkrelaunch://openFromScriptInstaller"}
                                              : QStringList());
        QCOMPARE(defaults::UserDefaults(defaults::UserDefaults::standardFilePath())
                     .boolForKey("QZ_DontAskToInstall"),
                 dontAskAfter);
        QCOMPARE(test::read(environment::dataHome() + "/Trash/files/" + script),
                 trashed ? before : QByteArray());
        QTRY_COMPARE(notifications_.received.size(), notified);
        // The service draws markup: the name arrives escaped, to be shown as it is. An install
        // says all there is to say, and no more.
        const QString shown = u'\'' + text::visibleText(script).toHtmlEscaped() + u'\'';
        if (notified && installed)
            QCOMPARE(notifications_.received.first(),
                     "Script installed|" + shown + " is installed in the User Scripts directory" +
                         (before == "same" ? " already." : "."));
        else if (notified)
            QVERIFY2(notifications_.received.first().startsWith("Script not installed|" + shown),
                     qPrintable(notifications_.received.first()));
    }

    // Where the edits question is asked about a copy the user and Tarnwick both changed: an
    // install request, the row's Install, Install All. The first sheet's buttons; its
    // informative text; the answers; what the installed copy then holds; a merge saved with
    // its conflicts beside the user scripts folder.
    void mergeRoads_data() {
        // clang-format off
        QTest::addColumn<QString>("road");
        QTest::addColumn<QByteArray>("yours");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("informative");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QByteArray>("saved");
        const QByteArray clean = "1 mine\n2\n3\n4\n5\n6\n", collides = "1\n2\n3\n4\n5\n6 mine\n", both = "1 mine\n2\n3\n4\n5\n6 new\n";
        const QByteArray marked = "1\n2\n3\n4\n5\n<<<<<<< yours\n6 mine\n=======\n6 new\n>>>>>>> Tarnwick's\n";
        const QStringList request{"Install Script", "Cancel"}, question{"Keep My Edits", "Replace Them"};
        QTest::newRow("request, merged") << "request" << clean << QList<int>{2} << request + QStringList{"Merge"} << "merges cleanly" << both << QByteArray();
        QTest::newRow("request, saved with conflicts") << "request" << collides << QList<int>{2, 0} << request + QStringList{"Save Merge with Conflicts"} << "yours:\n    6 mine\nTarnwick's:\n    6 new" << collides << marked;
        QTest::newRow("row, merged") << "row" << clean << QList<int>{2} << question + QStringList{"Merge"} << "merges cleanly" << both << QByteArray();
        QTest::newRow("row, collides, kept") << "row" << collides << QList<int>{9} << question + QStringList{"Save Merge with Conflicts"} << "collide (conflicts: 1)" << collides << QByteArray();
        QTest::newRow("all, merged") << "all" << clean << QList<int>{2, 0} << question + QStringList{"Merge"} << "Tarnwick's updates of 'm.sh' merge cleanly" << both << QByteArray();
        // clang-format on
    }
    void mergeRoads() {
        QFETCH(QString, road);
        QFETCH(QByteArray, yours);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, buttons);
        QFETCH(QString, informative);
        QFETCH(QByteArray, after);
        QFETCH(QByteArray, saved);
        auto cleanUp = qScopeGuard([&] {
            QFile::remove(box_.source("m.sh"));
            QDir(box_.userScripts + " Merges").removeRecursively();
        });
        test::write(box_.source("m.sh"), "1\n2\n3\n4\n5\n6\n");
        QVERIFY(controller_.installScript(box_.source("m.sh")));
        test::write(box_.installed("m.sh"), yours);
        test::write(box_.source("m.sh"), "1\n2\n3\n4\n5\n6 new\n");
        test::SheetAnswers answering;
        for (int answer : answers)
            answering.then(answer);
        if (road == u"request")
            controller_.handleURL(platform::Url::urlWithString("twkscriptinstall://x?script=m.sh"));
        else if (road == u"row")
            controller_.installScriptNamed("m.sh");
        else
            controller_.installAllScripts();
        TWK_WAIT_UNTIL_IDLE(controller_);
        const test::Sheet& first = answering.seen.first();
        QCOMPARE(first.buttons, buttons);
        QCOMPARE(first.defaultButton, buttons.first());
        QVERIFY2(first.informative.contains(informative), qPrintable(first.informative));
        if (road == u"request") // how the copies differ, behind "Show Details…"
            QVERIFY2(first.details.contains("-6\n+6 new"), qPrintable(first.details));
        QCOMPARE(test::read(box_.installed("m.sh")), after);
        QCOMPARE(test::read(box_.userScripts + " Merges/m.sh"), saved);
        QCOMPARE(test::read(environment::dataHome() + "/Trash/files/m.sh"),
                 after == yours ? QByteArray() : yours);
    }

    // One sheet at a time: the second request waits its turn, and reads the stored choice as
    // the first one left it.
    void oneSheetAtATime() {
        {
            // Two that must each ask: the second sheet follows once the first is answered.
            test::SheetAnswers installing;
            installing.then(0).then(0);
            QSignalSpy handled(&controller_, &UIManager::requestHandled);
            for (const char* name : {"Window%20Tools", ".Startup%20Hook.sh"})
                controller_.handleURL(platform::Url::urlWithString(
                    QStringLiteral("twkscriptinstall://x?script=") + name));
            QTRY_COMPARE(handled.count(), 2);
            QCOMPARE(installing.seen.size(), 2);
        }
        QTRY_COMPARE(box_.receivedUrls().size(), 2); // each answered request returns to Tarnwick
        test::SheetAnswers answering;
        answering.then(0, true);
        QSignalSpy handled(&controller_, &UIManager::requestHandled);
        for (const char* name : {"Open%20Recent.sh", "Word%20Count.txt"})
            controller_.handleURL(platform::Url::urlWithString(
                QStringLiteral("twkscriptinstall://x?script=") + name));
        QTRY_COMPARE(handled.count(), 2);
        QCOMPARE(answering.seen.size(), 1); // the second was installed without asking
        QCOMPARE(test::entries(box_.userScripts), (QStringList{".Startup Hook.sh", "Open Recent.sh",
                                                               "Window Tools", "Word Count.txt"}));
        QTRY_COMPARE(box_.receivedUrls().size(), 3);
        // A request that arrives while the window is closed brings it back with its sheet.
        defaults::resetAllValues();
        window_.hide();
        test::SheetAnswers again;
        again.then(1).then(0);
        controller_.handleURL(
            platform::Url::urlWithString("twkscriptinstall://x?script=Word%20Count.txt"));
        QTRY_COMPARE(handled.count(), 3);
        QVERIFY(window_.isVisible());
        // Another window has the focus: a request, even one that shows no sheet, takes it back.
        QWidget other;
        other.show();
        QApplication::setActiveWindow(&other);
        QTRY_COMPARE(QApplication::activeWindow(), &other);
        defaults::setBool(true, "QZ_DontAskToInstall");
        controller_.handleURL(
            platform::Url::urlWithString("twkscriptinstall://x?script=Window%20Tools"));
        QTRY_COMPARE(QApplication::activeWindow(), &window_);
    }

    // A sheet with no window to sit on blocks every window, whatever its alert was set to.
    void sheetWithoutWindow() {
        test::SheetAnswers answering;
        answering.then(0);
        int answered = -1;
        auto alone = alert::qzAlertWithMessageText("alone", QStringLiteral("OK"), {}, {}, {});
        alone->setWindowModality(Qt::NonModal);
        platform::beginSheetModalForWindow(std::move(alone), nullptr,
                                           [&](alert::Alert&, int code) { answered = code; });
        QTRY_COMPARE(answered, int(alert::FirstButtonReturn));
        QVERIFY(answering.seen.first().applicationModal && !answering.seen.first().windowModal);
        // Sheets asked for together are shown one after the other, each answered.
        answering.then(0).then(0);
        QStringList answeredNames;
        for (const char* name : {"first", "second"})
            platform::beginSheetModalForWindow(
                alert::qzAlertWithMessageText(name, QStringLiteral("OK"), {}, {}, {}), &window_,
                [&answeredNames](alert::Alert& sheet, int) {
                    answeredNames.append(sheet.messageText());
                });
        QTRY_COMPARE(answeredNames, (QStringList{"first", "second"}));
    }

    // The window's actions: install everything, one script, or move one to the Trash.
    void actions() {
        test::write(box_.installed("Word Count.txt"), "edited");
        test::SheetAnswers answering;
        answering.then(1).then(0).then(1).then(0).then(0).then(0);
        QSignalSpy progress(&controller_, &UIManager::bulkInstallProgress);
        QSignalSpy status(&controller_, &UIManager::statusMessage);
        QSignalSpy idled(&controller_, &UIManager::idle); // what a bus-started instance quits on
        controller_.installAllScripts();
        TWK_WAIT_UNTIL_IDLE(controller_);
        QTRY_VERIFY(!idled.isEmpty());
        // Asked once, before anything, whether the user's edits may go.
        const test::Sheet& question = answering.seen.takeFirst();
        QCOMPARE(question.text, QStringLiteral("Keep your edits?"));
        QVERIFY2(question.informative.startsWith(
                     "You edited the installed copies of 'Word Count.txt'. Keep your edits"),
                 qPrintable(question.informative));
        QCOMPARE(question.buttons, (QStringList{"Keep My Edits", "Replace Them"}));
        QCOMPARE(question.defaultButton, QStringLiteral("Keep My Edits"));
        QCOMPARE(answering.seen.first().text + u'|' + answering.seen.first().informative,
                 QStringLiteral("Done|Scripts are copied, everything is splendid"));
        QCOMPARE(answering.seen.first().buttons, QStringList{"OK"});
        QVERIFY2(answering.seen.first().details.startsWith(
                     "The copy of 'Word Count.txt' that was installed differed from Tarnwick's; "
                     "it is in the Trash as 'Word Count.txt"),
                 qPrintable(answering.seen.first().details));
        QCOMPARE(progress.last(), (QVariantList{7, 7}));
        for (const QString& name : test::entries(box_.sourceScripts))
            QCOMPARE(test::tree(box_.installed(name)), test::tree(box_.source(name)));
        controller_.removeScriptNamed("Open Recent.sh"); // Cancel: nothing happens
        controller_.removeScriptNamed("Open Recent.sh");
        TWK_WAIT_UNTIL_IDLE(controller_);
        const test::Sheet& removal = answering.seen.at(1);
        QCOMPARE(removal.buttons, (QStringList{"Move to Trash", "Cancel"}));
        QCOMPARE(removal.defaultButton, QStringLiteral("Cancel"));
        QVERIFY(!QFileInfo::exists(box_.installed("Open Recent.sh")));
        QCOMPARE(test::read(environment::dataHome() + "/Trash/files/Open Recent.sh"),
                 test::read(box_.source("Open Recent.sh")));
        QCOMPARE(status.last().first().toString(),
                 QStringLiteral("'Open Recent.sh' was moved to the Trash."));
        controller_.installScriptNamed("Open Recent.sh");
        TWK_WAIT_UNTIL_IDLE(controller_);
        QVERIFY(QFileInfo::exists(box_.installed("Open Recent.sh")));
        // Install All when the user scripts folder is missing says why, in one sentence.
        QDir(box_.userScripts).removeRecursively();
        controller_.installAllScripts();
        TWK_WAIT_UNTIL_IDLE(controller_);
        QCOMPARE(answering.seen.last().text, QStringLiteral("Some scripts were not installed"));
        QCOMPARE(answering.seen.last().informative,
                 "The User Scripts directory " + box_.userScripts +
                     " does not exist yet: open Tarnwick once to create it.");
        QCOMPARE(logged_.filter("error copying script: ").size(), 7);
        // Many failures: ten named, the rest counted (sockets are no scripts).
        QDir().mkpath(box_.userScripts);
        QStringList sockets;
        for (int i = 0; i < 12; ++i)
            ::close(test::listeningSocket(sockets.emplace_back(
                box_.source(QStringLiteral("socket %1").arg(i, 2, 10, QChar(u'0'))))));
        controller_.installAllScripts();
        TWK_WAIT_UNTIL_IDLE(controller_);
        for (const QString& socket : sockets)
            QFile::remove(socket);
        const QString summary = answering.seen.last().informative;
        QVERIFY2(
            summary.startsWith("12 of 19 scripts could not be installed: socket 00, socket 01") &&
                summary.count("socket ") == 10 &&
                summary.endsWith(" and 2 more. See the system log for details."),
            qPrintable(summary));
        // Ended while the window is hidden: the desktop says how it went, and no sheet.
        const qsizetype sheets = answering.seen.size();
        window_.hide();
        controller_.installAllScripts();
        TWK_WAIT_UNTIL_IDLE(controller_);
        QTRY_VERIFY(notifications_.received.contains(
            "Scripts installed|Scripts are copied, everything is splendid"));
        QCOMPARE(answering.seen.size(), sheets);
    }

    // A terminal run drops the watches GIO keeps on the folders of desktop entries (a process
    // still holding one waits for the kernel to retire it as it ends), and Tarnwick is still
    // found after. Last: a window keeps its watches, and the tests above run as a window does.
    void applicationFolderWatchesDropped() {
        const auto found = installer::sourceScriptsFolder();
        QCOMPARE(found, std::optional(box_.sourceScripts));
        QVERIFY(inotifyWatches() > 0);
        platform::dropApplicationFolderWatches();
        QCOMPARE(inotifyWatches(), 0);
        QCOMPARE(installer::sourceScriptsFolder(), found);
    }

private:
    // The watches of every inotify descriptor of this process, as the kernel lists them.
    static int inotifyWatches() {
        int watches = 0;
        for (const QFileInfo& fd :
             QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System)) {
            QFile info(QStringLiteral("/proc/self/fdinfo/") + fd.fileName());
            if (info.open(QIODevice::ReadOnly))
                watches += int(info.readAll().count("inotify wd:"));
        }
        return watches;
    }
};

TWK_TEST_MAIN(TestRequests)
#include "test_requests.moc"

// The application shell in one process: the command line, and the delegate that takes
// URLs to the controller and brings the window back.

#include "app/AppDelegate.h"
#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "app/SingleInstance.h"
#include "installer/UIManager.h"
#include "tests/common/LogCapture.h"
#include "tests/common/Sheets.h"
#include "tests/common/TestSandbox.h"

#include <QtTest>

using namespace twk;
using Mode = app::CommandLine::Mode;

class TestAppShell : public QObject {
    Q_OBJECT
    installer::UIManager controller_;
    app::AppDelegate delegate_;
    app::ApplicationService service_;
    app::MainWindow* window_ = nullptr;

private Q_SLOTS:
    void initTestCase() {
        auto window = std::make_unique<app::MainWindow>();
        window_ = window.get();
        window_->connectController(&controller_);
        controller_.setMainWindow(window_);
        delegate_.setWindow(std::move(window));
        delegate_.setUiManager(&controller_);
        delegate_.applicationWillFinishLaunching(&service_);
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("urls");
        auto row = [](const char* name, QStringList args, Mode mode, QStringList urls) {
            QTest::newRow(name) << (QStringList{"twk-script-installer"} + args) << int(mode)
                                << urls;
        };
        row("nothing", {}, Mode::Window, {});
        row("a URL", {"twkscriptinstall://x?script=a"}, Mode::Window,
            {"twkscriptinstall://x?script=a"});
        row("help", {"--help"}, Mode::Help, {});
        row("version", {"--version"}, Mode::Version, {});
        row("install all", {"--install-all"}, Mode::InstallAll, {});
        row("unknown option", {"--frobnicate"}, Mode::Error, {});
        row("Qt option is not ours", {"-platform", "xcb"}, Mode::Error, {});
        // URLs are data, never options.
        row("URL that looks like an option", {"--", "--install-all"}, Mode::Window,
            {"--install-all"});
        row("option-like text after a scheme", {"twkscriptinstall:--install-all"}, Mode::Window,
            {"twkscriptinstall:--install-all"});
        row("dash URL after end of options", {"--", "-x"}, Mode::Window, {"-x"});
    }
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, mode);
        QFETCH(QStringList, urls);
        const app::CommandLine line = app::parseCommandLine(arguments);
        QCOMPARE(int(line.mode), mode);
        QCOMPARE(line.urls, urls);
    }

    // Reopening: a visible window comes forward without taking focus; a closed one is shown
    // and focused.
    void reopen() {
        window_->hide();
        QVERIFY(delegate_.applicationShouldHandleReopen(false));
        QVERIFY(window_->isVisible());
        QVERIFY(QTest::qWaitForWindowActive(window_));

        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(delegate_.applicationShouldHandleReopen(true));
        QVERIFY(window_->isVisible());
        QVERIFY(other.isActiveWindow());
    }

    void activateFromTheBusReopens() {
        window_->close();
        Q_EMIT service_.activateRequested();
        QVERIFY(window_->isVisible());
    }

    // A text that is no URL, or a URL of another scheme, changes nothing and logs nothing.
    void urlEventsThatAreNoRequests_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("not a URL") << "not a url at all";
        QTest::newRow("bad escape") << "twkscriptinstall://x?script=%zz";
        QTest::newRow("other scheme") << "mailto:someone@example.org";
        QTest::newRow("empty") << "";
    }
    void urlEventsThatAreNoRequests() {
        QFETCH(QString, text);
        test::LogCapture log;
        Q_EMIT service_.openRequested({text});
        QTest::qWait(50);
        QVERIFY(!test::waitForSheet(window_, 100));
        QVERIFY(log.lines.isEmpty());
    }

    void urlEventReachesTheController() {
        Q_EMIT service_.openRequested({QStringLiteral("twkscriptinstall://x?script=Nope.sh")});
        alert::Alert* sheet = test::waitForSheet(window_);
        QVERIFY(sheet);
        QCOMPARE(sheet->informativeText(), QStringLiteral("Script 'Nope.sh' - not found"));
        test::press(sheet, QStringLiteral("OK"));
    }

    void forwardingWithoutABus() {
        const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
        qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(app::forwardToRunningInstance({QStringLiteral("twkscriptinstall://x")}),
                 app::Forwarding::NoBus);
        qputenv("XDG_RUNTIME_DIR", saved);
    }
};

TWK_TEST_MAIN_WITH_SANDBOX(TestAppShell)
#include "test_app_shell.moc"

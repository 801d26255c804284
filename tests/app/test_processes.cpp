// What only real processes show: the terminal options, one instance per session on a
// private bus (forwarding, starting by the bus, twenty launches at once, a busy instance,
// one that dies, a bus that never answers), installs killed midway, a read-only script
// reinstalled by an ordinary user, and start-up from odd surroundings.

#include "support/defaults/UserDefaults.h"
#include "support/environment/BaseDirectories.h"
#include "tests/common/Testing.h"

#include <QCborArray>
#include <QCborMap>
#include <QCborValue>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

using namespace twk;

namespace {

const QString Request = QStringLiteral("twkscriptinstall://x?script=");
const QString BusName = QStringLiteral("org.tarnwick.ScriptInstaller");

} // namespace

class TestProcesses : public QObject {
    Q_OBJECT
    const test::Sandbox& box_ = test::sandbox();
    std::vector<std::unique_ptr<QProcess>> launched_;

    QProcess* launch(const QStringList& arguments, const QProcessEnvironment& env) {
        launched_.push_back(std::make_unique<QProcess>());
        launched_.back()->setProcessEnvironment(env);
        launched_.back()->start(test::program(), arguments);
        launched_.back()->waitForStarted();
        return launched_.back().get();
    }
    void setDontAsk(bool dontAsk) {
        defaults::UserDefaults store(defaults::UserDefaults::standardFilePath());
        store.setBool(dontAsk, "QZ_DontAskToInstall");
        QVERIFY(store.synchronize().ok());
    }

private Q_SLOTS:
    void init() {
        QDir(box_.userScripts).removeRecursively();
        QDir(environment::stateHome()).removeRecursively();
        QDir(environment::dataHome() + "/Trash").removeRecursively();
        QDir().mkpath(box_.userScripts);
        setDontAsk(true);
    }
    void cleanup() {
        for (auto& process : launched_) {
            ::kill(pid_t(process->processId()), SIGCONT);
            process->kill();
            process->waitForFinished();
        }
        launched_.clear();
        QProcess::execute("pkill", {"-KILL", "-f", test::program() + " --gapplication-service"});
    }

    void terminal_data() {
        // clang-format off
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        auto row = [](const char* name, QStringList arguments, int status, const char* out, const char* err = "") {
            QTest::newRow(name) << arguments << status << QString::fromUtf8(out) << QString::fromUtf8(err);
        };
        row("list", {"--list"}, 0, ".Startup Hook.sh\tNot installed\nOpen Recent.sh\tNot installed\nWindow Tools\tNot installed\nWord Count.txt\tNot installed\n");
        row("json", {"--list", "--json"}, 0, "\"name\": \".Startup Hook.sh\",\n        \"state\": \"not installed\"");
        row("install", {"--install", "Open Recent.sh", "../x", "nope", "-rf"}, 1, "installed: Open Recent.sh\nnot installed: ../x: is not a valid script name\nnot " "installed: nope: not found\nnot installed: -rf: not found\n");
        row("remove what is not there", {"--remove", "Open Recent.sh"}, 1, "not removed: Open Recent.sh: is not installed\n");
        row("install all", {"--install-all"}, 0, "4 of 4 scripts installed into ");
        row("install all, each script said", {"--install-all"}, 0, "installed: Word Count.txt\n");
        row("unknown option", {"--frobnicate"}, 2, "", "twk-script-installer: unknown option: --frobnicate\n\nUsage:");
        row("unknown option for Qt", {"-frobnicate"}, 2, "", "twk-script-installer: unknown option: -frobnicate\n");
        row("a path with a colon is no request", {"--list", "notes/a:b"}, 2, "", "unknown option: notes/a:b\n");
        row("names needed", {"--remove"}, 2, "", "--install and --remove need the names of scripts");
        row("json alone", {"--json"}, 2, "", "--json goes with --list");
        row("help", {"--help"}, 0, "Usage: twk-script-installer [URL...]");
        row("version", {"--version"}, 0, "twk-script-installer 1.1.0\n");
        // clang-format on
    }
    void terminal() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const test::Ran ran = test::run(arguments);
        QCOMPARE(ran.status, status);
        QVERIFY2(ran.out.contains(out), qPrintable(ran.out));
        QVERIFY2(ran.err.contains(err), qPrintable(ran.err));
    }

    // A terminal run needs nothing of the window: the program alone lists and installs; without
    // its window module it says so for a window, and never starts half a window.
    void terminalWithoutWindowModule() {
        QTemporaryDir dir;
        const QString alone = dir.filePath("bin/twk-script-installer");
        QVERIFY(QDir().mkpath(dir.filePath("bin")) && QFile::copy(test::program(), alone));
        const test::Ran listed =
            test::run({"--list"}, QProcessEnvironment::systemEnvironment(), {}, alone);
        QCOMPARE(listed.status, 0);
        QVERIFY(listed.out.startsWith(".Startup Hook.sh\tNot installed\n"));
        const test::Ran window = test::run({Request + "Open%20Recent.sh"},
                                           QProcessEnvironment::systemEnvironment(), {}, alone);
        QCOMPARE(window.status, 1);
        QVERIFY2(window.err.startsWith("twk-script-installer: the window cannot be shown: ") &&
                     window.err.contains(dir.filePath("lib/twk-script-installer/window.so")),
                 qPrintable(window.err));
        QVERIFY(!QFileInfo::exists(box_.installed("Open Recent.sh")));
    }

    // What the program knows of a script it installed, from the record and both copies: its
    // state as --list --json gives it, then what --install does with it, with and without
    // --replace-edited: copied or not, the line it prints, its exit status, and what the
    // installed copy and the Trash hold afterwards. A row's story is told in steps; the last
    // one keeps the size and every file's date of a folder script, to be seen by content only.
    void statesAndRoads_data() {
        // clang-format off
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("replace");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QByteArray>("after"); // what the installed copy then holds
        QTest::addColumn<QByteArray>("trashed");
        auto row = [](const char* name, const char* steps, const char* state, bool replace, int status, const char* line, const char* after, const char* trashed = "") {
            QTest::newRow(name) << steps << state << replace << status << line << QByteArray(after) << QByteArray(trashed);
        };
        row("not installed", "", "not installed", false, 0, "installed: t.sh", "v1");
        row("installed", "installed", "installed", false, 0, "up to date: t.sh", "v1");
        row("update available", "installed, then Tarnwick updates", "update available", false, 0, "updated: t.sh", "v2");
        row("edited, kept", "installed, then you edit", "edited", false, 3, "kept your edits: t.sh (Tarnwick's copy has not changed since it was installed; --replace-edited puts it back)\n", "mine");
        row("edited, replaced", "installed, then you edit", "edited", true, 0, "installed: t.sh (the copy that was there differed; it is in the Trash as t.sh)", "v1", "mine");
        row("edited and updated", "installed, then you edit, then Tarnwick updates", "edited and updated", false, 3, "kept your edits: t.sh (--replace-edited installs Tarnwick's copy, --merge merges its update into your edits)\n", "mine");
        row("by hand, differs", "you copy it by hand", "different", false, 3, "kept your edits: t.sh", "mine");
        row("by hand, replaced", "you copy it by hand", "different", true, 0, "installed: t.sh (the copy", "v1", "mine");
        row("by hand, equal", "an equal copy by hand", "installed", false, 0, "up to date: t.sh", "v1");
        row("by hand, equal, learned, edited", "an equal copy by hand, then listed, then you edit", "edited", false, 3, "kept your edits", "mine");
        row("edit undone", "installed, then you edit, then you undo it", "installed", false, 0, "up to date: t.sh", "v1");
        row("both changed alike", "installed, then Tarnwick updates, then you make the same change", "installed", false, 0, "up to date: t.sh", "v2");
        row("no longer shipped", "installed, then Tarnwick drops it", "no longer shipped", false, 1, "not installed: t.sh: not found", "v1");
        row("removed by hand", "installed, then you delete it", "not installed", false, 0, "installed: t.sh", "v1");
        row("replaced by a link", "installed, then you replace it with a link", "edited", false, 3, "kept your edits: t.sh", "link");
        row("one date for every file", "installed, then Tarnwick updates a file keeping every date", "update available", false, 0, "updated: t.sh", "v2");
        // clang-format on
    }
    void statesAndRoads() {
        QFETCH(QString, steps);
        QFETCH(QString, state);
        QFETCH(bool, replace);
        QFETCH(int, status);
        QFETCH(QString, line);
        QFETCH(QByteArray, after);
        QFETCH(QByteArray, trashed);
        const bool folder = steps.contains(u"keeping every date"); // its files share a date
        const QString source = box_.source("t.sh"), installed = box_.installed("t.sh");
        auto put = [folder](const QString& at, const QByteArray& content) {
            QDir(at).removeRecursively();
            QFile::remove(at);
            test::write(folder ? at + "/main" : at, content);
            if (folder)
                test::write(at + "/other", "same");
        };
        auto content = [folder](const QString& at) {
            return QFileInfo(at).isSymLink() ? QByteArray("link")
                                             : test::read(folder ? at + "/main" : at);
        };
        auto sameDates = [&] {
            const QStringList items = folder
                                          ? QStringList{source, source + "/main", source + "/other"}
                                          : QStringList{source};
            QProcess::execute("touch", QStringList{"-h", "-d", "2026-01-01 12:00"} + items);
        };
        put(source, "v1");
        sameDates();
        for (const QString& step : steps.split(QStringLiteral(", then "), Qt::SkipEmptyParts)) {
            if (step == u"installed")
                QCOMPARE(test::run({"--install", "t.sh"}).status, 0);
            else if (step == u"you edit" || step == u"you copy it by hand")
                put(installed, "mine");
            else if (step == u"Tarnwick updates")
                put(source, "v2");
            else if (step == u"an equal copy by hand")
                QProcess::execute("cp", {"-a", source, installed});
            else if (step == u"listed")
                QCOMPARE(test::run({"--list"}).status, 0);
            else if (step == u"you undo it")
                put(installed, "v1");
            else if (step == u"you make the same change")
                put(installed, "v2");
            else if (step == u"Tarnwick drops it")
                QFile::remove(source);
            else if (step == u"you delete it")
                QFile::remove(installed);
            else if (step == u"you replace it with a link")
                QVERIFY(QFile::remove(installed) && QFile::link(source, installed));
            else if (step == u"Tarnwick updates a file keeping every date")
                (test::write(source + "/main", "v2"), sameDates());
            else
                QFAIL(qPrintable("no such step: " + step));
        }
        const test::Ran listed = test::run({"--list", "--json"});
        QVERIFY2(listed.out.contains("\"name\": \"t.sh\",\n        \"state\": \"" + state + "\""),
                 qPrintable(listed.out));
        const test::Ran ran =
            test::run(replace ? QStringList{"--replace-edited", "--install", "t.sh"}
                              : QStringList{"--install", "t.sh"});
        QCOMPARE(ran.status, status);
        QVERIFY2(ran.out.startsWith(line), qPrintable(ran.out));
        QCOMPARE(content(installed), after);
        QCOMPARE(test::read(environment::dataHome() + "/Trash/files/t.sh"), trashed);
        QDir(source).removeRecursively();
        QFile::remove(source);
    }

    // Tarnwick's update merged into the user's edit (--merge), after --diff showed both: a
    // file script or a folder script (files a and b; only Tarnwick changes b), as installed
    // (base), as the user left it (yours), as Tarnwick has it now (theirs); then the exit
    // status, the line printed, the installed copy after, a merge saved with conflicts, the
    // state after. "crlf": the user's copy ends its lines with CR LF and may be run. A copy
    // never installed ("by hand") has no base.
    void merges_data() {
        // clang-format off
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("base");
        QTest::addColumn<QByteArray>("yours");
        QTest::addColumn<QByteArray>("theirs");
        QTest::addColumn<QString>("diff");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QByteArray>("saved");
        QTest::addColumn<QString>("state");
        const QByteArray start = "1\n2\n3\n4\n5\n6\n7\n8\n", mine = "1 mine\n2\n3\n4\n5\n6\n7\n8\n", update = "1\n2\n3\n4\n5\n6\n7\n8 new\n";
        const QByteArray both = "1 mine\n2\n3\n4\n5\n6\n7\n8 new\n", collides = "1\n2\n3\n4\n5\n6\n7\n8 mine\n";
        const QByteArray marked = "1\n2\n3\n4\n5\n6\n7\n<<<<<<< yours\n8 mine\n=======\n8 new\n>>>>>>> Tarnwick's\n";
        const QByteArray huge = QByteArray("x\n").repeated(600 * 1024);
        auto row = [](const char* name, const char* kind, const QByteArray& base, const QByteArray& yours, const QByteArray& theirs, const char* diff, int status, const char* line, const QByteArray& after, const QByteArray& saved, const char* state) {
            QTest::newRow(name) << kind << base << yours << theirs << diff << status << line << after << saved << state;
        };
        row("clean", "file", start, mine, update, "Your copy of 'm' against Tarnwick's\n--- yours: m\n+++ Tarnwick's: m\n@@ -1,8 +1,8 @@\n-1 mine\n+1\n", 0, "merged: m (Tarnwick's update merged into your edits; your copy is in the Trash as m)", both, {}, "edited");
        row("collides", "file", start, collides, update, "-8 mine\n+8 new\n", 3, "kept your edits: m (your changes and Tarnwick's collide; the merge with conflict markers is saved as ", collides, marked, "edited and updated");
        row("line ends and executable bit kept", "crlf", start, QByteArray(mine).replace("\n", "\r\n"), update, "\\u000D", 0, "merged: m", QByteArray(both).replace("\n", "\r\n"), {}, "edited");
        row("not text", "file", QByteArray("a\0b\n", 4), QByteArray("a\0m\n", 4), QByteArray("a\0n\n", 4), "Not text: its differences are not shown.", 3, "kept your edits: m (it cannot be merged", QByteArray("a\0m\n", 4), {}, "edited and updated");
        row("too large", "file", huge, huge + "mine\n", "new\n" + huge, "Larger than 1 MiB", 3, "kept your edits: m (it cannot be merged", huge + "mine\n", {}, "edited and updated");
        row("only you changed it: nothing to merge", "file", start, mine, start, "-1 mine\n+1\n", 3, "kept your edits: m (Tarnwick's copy has not changed since it was installed", mine, {}, "edited");
        row("by hand", "file", {}, mine, update, "What was installed is not known", 3, "kept your edits: m (it cannot be merged", mine, {}, "different");
        row("folder", "folder", start, mine, update, "only in Tarnwick's: m/c", 0, "merged: m", both, {}, "edited");
        row("folder, one file collides", "folder", start, collides, update, "changed: m/b", 3, "kept your edits: m (your changes and Tarnwick's collide", collides, marked, "edited and updated");
        // clang-format on
    }
    void merges() {
        QFETCH(QString, kind);
        QFETCH(QByteArray, base);
        QFETCH(QByteArray, yours);
        QFETCH(QByteArray, theirs);
        QFETCH(QString, diff);
        QFETCH(int, status);
        QFETCH(QString, line);
        QFETCH(QByteArray, after);
        QFETCH(QByteArray, saved);
        QFETCH(QString, state);
        const bool folder = kind == u"folder";
        const QString source = box_.source("m"), installed = box_.installed("m");
        const QString file = folder ? QStringLiteral("/a") : QString();
        const QString merges = box_.userScripts + " Merges/m";
        auto cleanUp = qScopeGuard([&] {
            QDir(source).removeRecursively();
            QFile::remove(source);
            QDir(box_.userScripts + " Merges").removeRecursively();
        });
        test::write(source + file, base);
        if (folder)
            test::write(source + "/b", "b1\n");
        if (!base.isEmpty())
            QCOMPARE(test::run({"--install", "m"}).status, 0);
        test::write(installed + file, yours);
        if (kind == u"crlf")
            QFile::setPermissions(installed, QFile::permissions(installed) | QFile::ExeOwner);
        test::write(source + file, theirs);
        if (folder) {
            test::write(source + "/b", "b2\n");
            test::write(source + "/c", "c\n");
        }
        const auto before = test::tree(installed);
        const test::Ran differences = test::run({"--diff", "m"});
        QCOMPARE(differences.status, 1);
        QVERIFY2(differences.out.contains(diff) && !differences.out.contains(u'\x1b'),
                 qPrintable(differences.out));
        const test::Ran ran = test::run({"--merge", "--install", "m"});
        QCOMPARE(ran.status, status);
        QVERIFY2(ran.out.startsWith(line), qPrintable(ran.out));
        QCOMPARE(test::read(installed + file), after);
        QCOMPARE(test::read(merges + file), saved);
        if (status != 0) // kept whole, the saved merge apart
            QCOMPARE(test::tree(installed), before);
        if (!saved.isEmpty()) // the colliding lines of both sides
            QVERIFY2(ran.out.contains("\n      8 mine\n  Tarnwick's:\n      8 new"),
                     qPrintable(ran.out));
        if (folder && status == 0)
            QCOMPARE(test::read(installed + "/b") + test::read(installed + "/c"), "b2\nc\n");
        if (kind == u"crlf")
            QVERIFY(QFile::permissions(installed) & QFile::ExeOwner);
        QVERIFY(test::run({"--list", "--json"})
                    .out.contains("\"name\": \"m\",\n        \"state\": \"" + state + "\""));
        if (status != 0)
            return;
        // Undone from the Trash: the user's copy is back, an edit of Tarnwick's new version.
        const QString trashed = environment::dataHome() + "/Trash/files/m";
        QCOMPARE(test::tree(trashed), before);
        QVERIFY(QProcess::execute("rm", {"-r", installed}) == 0 &&
                QFile::rename(trashed, installed));
        QVERIFY(test::run({"--list", "--json"})
                    .out.contains("\"name\": \"m\",\n        \"state\": \"edited\""));
        // On a terminal, and only there, added and removed lines are coloured.
        const test::Ran coloured =
            test::run({"-qec", test::program() + " --diff m", "/dev/null"},
                      QProcessEnvironment::systemEnvironment(), {}, "script");
        QVERIFY2(coloured.out.contains("\x1b[32m+") && coloured.out.contains("\x1b[31m-"),
                 qPrintable(coloured.out));
    }

    // Bases no record names any more are dropped when the record is next written, once no
    // install can be about to name them.
    void basesDropped() {
        const QString bases = environment::stateHome() + "/org.tarnwick.ScriptInstaller/bases";
        auto cleanUp = qScopeGuard([&] { QFile::remove(box_.source("g")); });
        test::write(box_.source("g"), "v1");
        QCOMPARE(test::run({"--install", "g"}).status, 0);
        const QStringList first = test::entries(bases);
        test::write(box_.source("g"), "v2");
        QCOMPARE(test::run({"--install", "g"}).status, 0);
        QCOMPARE(test::entries(bases).size(), 2); // v1 may still be named by another install
        QVERIFY(QProcess::execute("sh", {"-c", "touch -d '1 day ago' \"$0\"/*", bases}) == 0);
        QCOMPARE(test::run({"--install", "Word Count.txt"}).status, 0);
        const QStringList kept = test::entries(bases);
        QCOMPARE(kept.size(), 2); // g's v2 and Word Count.txt
        QVERIFY(!kept.contains(first.first()));
    }

    // Several installs at once: of one script (each run may get another's fresh copy back from
    // its swap: that is no edit, goes to no Trash, and is not reported as one), and of four
    // scripts (the record keeps every entry).
    void installsAtOnce() {
        const QStringList all{"Window Tools", "Open Recent.sh", "Word Count.txt",
                              ".Startup Hook.sh"};
        for (int round = 0; round < 6; ++round) {
            const QStringList names = round % 2 ? all : QStringList(4, "Window Tools");
            init();
            std::vector<QProcess*> runs;
            for (const QString& name : names)
                runs.push_back(
                    launch({"--install", name}, QProcessEnvironment::systemEnvironment()));
            for (QProcess* run : runs) {
                QVERIFY(run->waitForFinished());
                const QByteArray out = run->readAllStandardOutput();
                QVERIFY2(run->exitCode() == 0 && !out.contains("differed") &&
                             (out.startsWith("installed: ") || out.startsWith("up to date: ")),
                         out.constData());
            }
            QVERIFY(!QFileInfo::exists(environment::dataHome() + "/Trash/files"));
            const QCborMap record =
                QCborValue::fromCbor(test::read(environment::stateHome() +
                                                "/org.tarnwick.ScriptInstaller/installed.cbor"))
                    .toMap();
            QCOMPARE(record.value(QStringLiteral("scripts")).toArray().size(), round % 2 ? 4 : 1);
            QCOMPARE(test::entries(box_.userScripts).filter(".twk-"), QStringList());
        }
    }

    // Names come as bytes and go to the terminal with nothing in them that it would obey.
    void terminalNames() {
        const QByteArray latin1 = QFile::encodeName(box_.sourceScripts) + "/caf\xe9";
        test::write(box_.source("evil\x1b]0;owned\x07\x1b[2J"), "x");
        QCOMPARE(::close(::creat(latin1.constData(), 0644)), 0);
        const QString script =
            "\"$0\" --install \"$(printf 'caf\\351')\" && \"$0\" --list && \"$0\" "
            "--remove \"$(printf 'caf\\351')\"";
        const QString out = test::run({"-c", script, test::program()},
                                      QProcessEnvironment::systemEnvironment(), {}, "sh")
                                .out;
        QVERIFY2(out.contains(QString::fromUtf8("installed: caf\uFFFD\n")) &&
                     out.contains(QString::fromUtf8("caf\uFFFD\tInstalled")) &&
                     out.contains(QString::fromUtf8("moved to the Trash: caf\uFFFD")),
                 qPrintable(out));
        QVERIFY2(out.contains("evil\\u001B]0;owned\\u0007\\u001B[2J\tNot installed") &&
                     !out.contains('\x1b'),
                 qPrintable(out));
        QFile::remove(box_.source("evil\x1b]0;owned\x07\x1b[2J"));
        ::unlink(latin1.constData());
        // Without the user scripts folder, the whole run says why, once.
        QDir(box_.userScripts).removeRecursively();
        const test::Ran missing = test::run({"--install-all"});
        QCOMPARE(missing.status, 1);
        QVERIFY2(missing.err.contains("does not exist yet: open Tarnwick once to create it"),
                 qPrintable(missing.err));
    }

    // Without Tarnwick (no application handles its URLs), the terminal's actions say so.
    void withoutTarnwick_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("install all") << QStringList{"--install-all"};
        QTest::newRow("list") << QStringList{"--list"};
    }
    void withoutTarnwick() {
        QFETCH(QStringList, arguments);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const QString nowhere = box_.root + "/no applications";
        QDir().mkpath(nowhere);
        env.insert("XDG_DATA_HOME", nowhere);
        env.insert("XDG_DATA_DIRS", nowhere);
        const test::Ran ran = test::run(arguments, env);
        QCOMPARE(ran.status, 1);
        QVERIFY2(ran.err.endsWith("Tarnwick was not found: no application handles twkrelaunch "
                                  "URLs. Install Tarnwick, then try again.\n"),
                 qPrintable(ran.err));
    }

    // Completion offers script names quoted for the shell: a name with a blank stays one word.
    void completion() {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PATH", QFileInfo(test::program()).path() + ":" + env.value("PATH"));
        const QString script =
            "source \"$0\"; for w in Op \"'Wi\"; do COMP_WORDS=(x --remove \"$w\"); COMP_CWORD=2; "
            "_twk_script_installer; printf '%s|' \"${COMPREPLY[@]}\"; done";
        const QString completion = TWK_SOURCE_DIR "/data/completion/twk-script-installer";
        QCOMPARE(test::run({"-c", script, completion}, env, {}, "bash").out,
                 QStringLiteral("Open\\ Recent.sh|Window\\ Tools|"));
    }

    // Later launches hand their requests to the instance; with none running, the bus starts
    // one; twenty launches at once make one instance, and every request is handled once.
    void oneInstance() {
        test::PrivateBus bus;
        test::NotificationService notifications;
        QVERIFY(notifications.listen(bus.address()));
        const QProcessEnvironment env = bus.environment();
        QProcess* first = launch({"-platform", "offscreen", Request + "Open%20Recent.sh"}, env);
        // It started the instance through the bus, and went; waits serve the notifications.
        QTRY_VERIFY_WITH_TIMEOUT(first->state() == QProcess::NotRunning, 20000);
        QCOMPARE(first->exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(box_.installed("Open Recent.sh")), 20000);
        const qint64 instance = bus.ownerPid(BusName);
        QVERIFY(instance > 0 && instance != first->processId());
        std::vector<QProcess*> many;
        const QStringList names = {".Startup%20Hook.sh", "Window%20Tools", "Word%20Count.txt",
                                   "Open%20Recent.sh"};
        for (int i = 0; i < 20; ++i)
            many.push_back(launch({Request + names[i % 4]}, env));
        for (QProcess* launcher : many) {
            QTRY_VERIFY_WITH_TIMEOUT(launcher->state() == QProcess::NotRunning, 30000);
            QCOMPARE(launcher->exitCode(), 0);
        }
        QTRY_COMPARE_WITH_TIMEOUT(notifications.received.size(), 21, 30000);
        QCOMPARE(bus.ownerPid(BusName), instance);
        QCOMPARE(test::entries(box_.userScripts).size(), 4);
    }

    // Twenty launches at once with no instance yet and no service file to start one
    // (Tarnwick opening several links on first use): one becomes the instance, the others hand
    // it their requests, even those sent before anyone owned the name, and each request is
    // handled once. Some are not strict URLs (a raw space inside, one before it too): read as
    // a browser reads them, and logged.
    void launchesAtOnce() {
        const QString service = QProcessEnvironment::systemEnvironment().value("XDG_DATA_HOME") +
                                "/dbus-1/services/" + BusName + ".service";
        const QByteArray serviceFile = test::read(service);
        QVERIFY(QFile::remove(service));
        auto restore = qScopeGuard([&] { test::write(service, serviceFile); });
        test::PrivateBus bus;
        test::NotificationService notifications;
        QVERIFY(notifications.listen(bus.address()));
        const QStringList names = {".Startup%20Hook.sh", "Window%20Tools", "Word%20Count.txt",
                                   "Open Recent.sh"};
        std::vector<QProcess*> launches;
        for (int i = 0; i < 20; ++i)
            launches.push_back(
                launch({"-platform", "offscreen", (i == 3 ? " " : "") + Request + names[i % 4]},
                       bus.environment()));
        QTRY_COMPARE_WITH_TIMEOUT(notifications.received.size(), 20, 20000);
        const qint64 instance = bus.ownerPid(BusName);
        for (QProcess* launcher : launches) {
            if (launcher->processId() == instance)
                continue;
            QTRY_VERIFY_WITH_TIMEOUT(launcher->state() == QProcess::NotRunning, 10000);
            QCOMPARE(launcher->exitCode(), 0);
        }
        QProcess* owner = *std::find_if(launches.begin(), launches.end(),
                                        [&](QProcess* p) { return p->processId() == instance; });
        QByteArray said;
        QTRY_VERIFY2((said += owner->readAllStandardError())
                         .contains("install request twkscriptinstall://x?script=Open Recent.sh "
                                   "is not a well-formed URL"),
                     said.constData());
        QCOMPARE(test::entries(box_.userScripts).size(), 4);
    }

    // A busy instance is waited for, never bypassed; one that dies leaves the request to the
    // launch that waited.
    void busyAndDeadInstances() {
        test::PrivateBus bus;
        test::NotificationService notifications;
        QVERIFY(notifications.listen(bus.address()));
        const QProcessEnvironment env = bus.environment();
        setDontAsk(false);
        QProcess* instance = launch({}, env);
        QTRY_VERIFY_WITH_TIMEOUT(bus.ownerPid(BusName) == instance->processId(), 20000);
        QProcess* plain = launch({}, env); // a plain launch activates the instance and goes
        QTRY_VERIFY_WITH_TIMEOUT(plain->state() == QProcess::NotRunning, 20000);
        setDontAsk(true); // changed by another process: the instance reads it afresh
        ::kill(pid_t(instance->processId()), SIGSTOP);
        QProcess* waiting = launch({Request + "Word%20Count.txt"}, env);
        QString told;
        QTRY_VERIFY_WITH_TIMEOUT(
            (told += QString::fromUtf8(waiting->readAllStandardError())).contains("is busy"),
            10000);
        QCOMPARE(waiting->state(), QProcess::Running);
        ::kill(pid_t(instance->processId()), SIGCONT);
        QTRY_VERIFY_WITH_TIMEOUT(waiting->state() == QProcess::NotRunning, 20000);
        QCOMPARE(waiting->exitCode(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(notifications.received.filter("Script installed|").size(), 1,
                                  20000);
        // The waiting launch said so.
        QTRY_COMPARE(notifications.received.filter("is busy").size(), 1);
        ::kill(pid_t(instance->processId()), SIGSTOP);
        QProcess* orphan = launch({Request + "Window%20Tools"}, env);
        told.clear();
        QTRY_VERIFY_WITH_TIMEOUT(
            (told += QString::fromUtf8(orphan->readAllStandardError())).contains("is busy"), 10000);
        instance->kill();
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(box_.installed("Window Tools")), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(bus.ownerPid(BusName), orphan->processId(), 20000);
        QTRY_COMPARE(notifications.received.filter("Script installed|").size(), 2);
    }

    // An event loop without GLib (QT_NO_GLIB) still serves the bus.
    void eventLoopWithoutGlib() {
        test::PrivateBus bus;
        QProcessEnvironment env = bus.environment();
        env.insert("QT_NO_GLIB", "1");
        QProcess* instance = launch({}, env);
        QTRY_VERIFY_WITH_TIMEOUT(bus.ownerPid(BusName) == instance->processId(), 20000);
        QProcess* forwarding = launch({Request + "Word%20Count.txt"}, bus.environment());
        QVERIFY(forwarding->waitForFinished(20000));
        QCOMPARE(forwarding->exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(box_.installed("Word Count.txt")), 20000);
    }

    // A bus that takes connections and never answers, or none: the launch goes on alone.
    void muteOrMissingBus() {
        QTemporaryDir dir;
        // Listening, never accepting: connections succeed, and nothing ever answers.
        const int mute = test::listeningSocket(dir.filePath("bus"));
        auto closeMute = qScopeGuard([mute] { ::close(mute); });
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + dir.filePath("bus"));
        launch({Request + "Open%20Recent.sh"}, env);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(box_.installed("Open Recent.sh")), 15000);
        env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + dir.filePath("none"));
        launch({Request + "Word%20Count.txt"}, env);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(box_.installed("Word Count.txt")), 15000);
        // A bus that cannot start an instance (no service file): the launch goes on alone too.
        const QString service =
            env.value("XDG_DATA_HOME") + "/dbus-1/services/" + BusName + ".service";
        const QByteArray serviceFile = test::read(service);
        QVERIFY(QFile::remove(service));
        test::PrivateBus bus;
        launch({Request + "Window%20Tools"}, bus.environment());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(box_.installed("Window Tools")), 15000);
        test::write(service, serviceFile);
    }

    // Qt's own options work, URLs are never taken for options, and unknown options are refused.
    void qtOptions() {
        QProcess* styled = launch({"-style", "fusion", "--", "-platform"},
                                  QProcessEnvironment::systemEnvironment());
        QVERIFY(!styled->waitForFinished(3000)); // a running window, not an option refused
    }

    // Killed at random moments while replacing a folder of 200 files: the script is always
    // whole, old or new, and the next run clears what was left.
    void killedWhileReplacing() {
        const QString folder = box_.source("Many");
        auto fill = [&](char version) {
            for (int i = 0; i < 200; ++i)
                test::write(folder + QStringLiteral("/part %1").arg(i), QByteArray(8192, version));
        };
        fill('a');
        QCOMPARE(test::run({"--install", "Many"}).status, 0);
        for (int round = 0; round < 30; ++round) {
            fill(round % 2 ? 'a' : 'b');
            QProcess* victim =
                launch({"--install", "Many"}, QProcessEnvironment::systemEnvironment());
            QTest::qWait(int(QRandomGenerator::global()->bounded(80)));
            victim->kill();
            victim->waitForFinished();
            const auto files = test::tree(box_.installed("Many"));
            QCOMPARE(files.size(), 200);
            const QByteArray first = files.first();
            for (const QByteArray& content : files)
                QCOMPARE(content, first);
        }
        QCOMPARE(test::run({"--install", "Many"}).status, 0);
        QCOMPARE(test::entries(box_.userScripts).filter(".twk-"), QStringList());
        QDir(folder).removeRecursively();
    }

    // A script shipped read-only, installed again and removed by an ordinary user.
    void readOnlyScriptAsOrdinaryUser() {
        if (::geteuid() != 0 || QStandardPaths::findExecutable("setpriv").isEmpty())
            QSKIP("needs root and setpriv to run as an ordinary user");
        // Somewhere the ordinary user can reach, with a copy of the program it may run.
        QTemporaryDir dir(QStringLiteral("/tmp/twk-ordinary-XXXXXX"));
        QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
        const QString program = dir.filePath("twk-script-installer");
        QVERIFY(QFile::copy(test::program(), program));
        const QProcessEnvironment env = test::sandboxEnvironment(dir.filePath("sandbox"));
        const QString source =
            dir.filePath("sandbox/Tarnwick.app/Contents/Resources/TWK_Scripts/Window Tools");
        QVERIFY(QProcess::execute("sh", {"-c", "chmod -R a-w \"$0\" && chown -R 65534:65534 \"$1\"",
                                         source, dir.filePath("sandbox/home")}) == 0);
        const QString user =
            env.value("HOME") + "/Library/Application Scripts/org.tarnwick.Tarnwick.MenuExtension";
        auto asNobody = [&](const QStringList& arguments) {
            const QStringList as{"--reuid=65534", "--regid=65534", "--clear-groups", program};
            return test::run(as + arguments, env, {}, "setpriv").status;
        };
        QCOMPARE(asNobody({"--install-all"}), 0);
        QCOMPARE(asNobody({"--install-all"}), 0);
        QCOMPARE(test::entries(user), (QStringList{".Startup Hook.sh", "Open Recent.sh",
                                                   "Window Tools", "Word Count.txt"}));
        QCOMPARE(asNobody({"--remove", "Window Tools"}), 0);
        QCOMPARE(test::entries(user).size(), 3);
        QProcess::execute("chmod", {"-R", "u+w", dir.path()});
    }

    // A relative Path= in Tarnwick's desktop entry counts as none: the scripts are not looked
    // for in whatever folder the program happens to run in.
    void relativeDesktopPath() {
        QTemporaryDir dir;
        QProcessEnvironment env = test::sandboxEnvironment(dir.filePath("sandbox"));
        const QString entry =
            env.value("XDG_DATA_HOME") + "/applications/org.tarnwick.Tarnwick.desktop";
        test::write(entry,
                    test::read(entry).replace(QFile::encodeName(dir.filePath("sandbox/")), ""));
        const test::Ran list = test::run({"--list"}, env, dir.filePath("sandbox"));
        QCOMPARE(list.status, 1);
        QVERIFY(list.err.contains("could not be read"));
    }
};

TWK_TEST_MAIN(TestProcesses)
#include "test_processes.moc"

// Faults and hostile input, tried on the real program: installs killed at random moments,
// a full file system, a folder that cannot be written even by root, a looping scripts
// folder, a damaged preference file, and install requests that try to reach outside the
// user scripts folder. Nothing installed is ever lost, and nothing outside is touched.

#include "support/defaults/UserDefaults.h"
#include "support/strings/MessageAttributes.h"
#include "tests/common/PrivateBus.h"
#include "tests/common/TestSandbox.h"

#include <QDBusMessage>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <csignal>

using namespace twk;
using test::entries;
using test::readText;
using test::writeText;

namespace {

const QString BusName = QStringLiteral("org.tarnwick.ScriptInstaller");

QStringList leftovers(const QString& folder) {
    return entries(folder).filter(QStringLiteral(".twk-"));
}

int run(const QStringList& arguments, QString* output = nullptr) {
    QProcess process;
    process.start(test::builtProgram(QStringLiteral("twk-script-installer")), arguments);
    process.waitForFinished(120000);
    if (output)
        *output =
            QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    return process.exitCode();
}

bool shell(const QString& command) {
    return QProcess::execute(QStringLiteral("sh"),
                             {QStringLiteral("-c"), command + QStringLiteral(" 2>/dev/null")}) == 0;
}

QString quoted(const QString& path) {
    return u'\'' + path + u'\'';
}

} // namespace

class TestReliability : public QObject {
    Q_OBJECT
    const test::Sandbox& box_ = test::sandbox();

    // A folder script of many files, all saying which version they belong to.
    void writeVersion(const QString& folder, char version, int files) {
        QDir(folder).removeRecursively();
        for (int i = 0; i < files; ++i)
            writeText(folder + QStringLiteral("/part %1.txt").arg(i), QByteArray(16384, version));
        writeText(folder + QStringLiteral("/version"), QByteArray(1, version));
    }

    // Whole: every file there, and all of one version.
    QString wholeVersion(const QString& folder, int files) {
        const QString version = readText(folder + QStringLiteral("/version"));
        if (version.size() != 1 || entries(folder).size() != files + 1)
            return QStringLiteral("broken");
        for (int i = 0; i < files; ++i) {
            if (readText(folder + QStringLiteral("/part %1.txt").arg(i)) !=
                QString(16384, version[0]))
                return QStringLiteral("mixed");
        }
        return version;
    }

private Q_SLOTS:
    void init() {
        QDir(box_.userScripts).removeRecursively();
        QDir().mkpath(box_.userScripts);
    }

    void killedInstallsLeaveEveryScriptWhole() {
        const int files = 200;
        const QString source = box_.sourceScripts + QStringLiteral("/Big Tools");
        const QString installed = box_.userScripts + QStringLiteral("/Big Tools");
        writeVersion(source, 'A', files);
        // Kills spread over twice the slower of two installs land before, during and after
        // the swap, also on a loaded machine.
        qint64 slowest = 0;
        for (int i = 0; i < 2; ++i) {
            QElapsedTimer timer;
            timer.start();
            QCOMPARE(run({QStringLiteral("--install-all")}), 0);
            slowest = qMax(slowest, timer.elapsed());
        }
        const auto span = quint32(qMax<qint64>(20, slowest * 2) * 1000);
        QRandomGenerator random(1206);
        QSet<QString> seen;
        for (int round = 0; round < 100; ++round) {
            writeVersion(source, round % 2 ? 'A' : 'B', files);
            QProcess install;
            install.start(test::builtProgram(QStringLiteral("twk-script-installer")),
                          {QStringLiteral("--install-all")});
            QVERIFY(install.waitForStarted());
            QThread::usleep(random.bounded(span));
            ::kill(pid_t(install.processId()), SIGKILL);
            install.waitForFinished();
            const QString state = wholeVersion(installed, files);
            QVERIFY2(state == u"A" || state == u"B",
                     qPrintable(QStringLiteral("round %1: %2").arg(round).arg(state)));
            seen.insert(state);
        }
        QCOMPARE(seen.size(), 2); // the kills landed both before and after the swap
        // The next install of the script clears what killed runs left behind.
        QCOMPARE(run({QStringLiteral("--install-all")}), 0);
        QCOMPARE(leftovers(box_.userScripts), QStringList());
        QDir(source).removeRecursively();
    }

    void fullFileSystem() {
        writeText(box_.userScripts + QStringLiteral("/Open Recent.sh"), "installed copy");
        const QString aside = box_.root + QStringLiteral("/user-aside");
        QVERIFY(QDir().rename(box_.userScripts, aside));
        QDir().mkpath(box_.userScripts);
        if (!shell(QStringLiteral("mount -t tmpfs -o size=256k tmpfs ") +
                   quoted(box_.userScripts))) {
            QDir(box_.userScripts).removeRecursively();
            QDir().rename(aside, box_.userScripts);
            QSKIP("this machine does not let the test mount a small file system");
        }
        QVERIFY(QFile::copy(aside + QStringLiteral("/Open Recent.sh"),
                            box_.userScripts + QStringLiteral("/Open Recent.sh")));
        const QString large = box_.sourceScripts + QStringLiteral("/Large.bin");
        writeText(large, QByteArray(1 << 20, 'x'));
        QString output;
        const int status = run({QStringLiteral("--install-all")}, &output);
        shell(QStringLiteral("cp -a ") + quoted(box_.userScripts) + QStringLiteral("/. ") +
              quoted(aside) + QStringLiteral("/ && umount ") + quoted(box_.userScripts));
        QFile::remove(large);
        QCOMPARE(status, 1);
        QVERIFY2(output.contains(QStringLiteral("No space left on device")), qPrintable(output));
        QVERIFY(!QFileInfo::exists(aside + QStringLiteral("/Large.bin")));
        QCOMPARE(leftovers(aside), QStringList());
        QDir(box_.userScripts).removeRecursively();
        QVERIFY(QDir().rename(aside, box_.userScripts));
    }

    void folderThatCannotBeWritten() {
        writeText(box_.userScripts + QStringLiteral("/Open Recent.sh"), "installed copy");
        writeText(box_.userScripts + QStringLiteral("/Window Tools/old.sh"), "old");
        if (!shell(QStringLiteral("chattr +i ") + quoted(box_.userScripts)))
            QSKIP("this file system cannot make a folder immutable");
        QString output;
        const int status = run({QStringLiteral("--install-all")}, &output);
        shell(QStringLiteral("chattr -i ") + quoted(box_.userScripts));
        QCOMPARE(status, 1);
        QVERIFY2(output.contains(QStringLiteral("error copying script: ")), qPrintable(output));
        QCOMPARE(readText(box_.userScripts + QStringLiteral("/Open Recent.sh")),
                 QStringLiteral("installed copy"));
        QCOMPARE(entries(box_.userScripts + QStringLiteral("/Window Tools")),
                 QStringList{QStringLiteral("old.sh")});
        QCOMPARE(leftovers(box_.userScripts), QStringList());
    }

    void scriptsFolderThatLoops() {
        const QString aside = box_.root + QStringLiteral("/scripts-aside");
        QVERIFY(QDir().rename(box_.sourceScripts, aside));
        QVERIFY(QFile::link(box_.sourceScripts, box_.sourceScripts));
        QString output;
        const int status = run({QStringLiteral("--install-all")}, &output);
        QFile::remove(box_.sourceScripts);
        QVERIFY(QDir().rename(aside, box_.sourceScripts));
        QCOMPARE(status, 1);
        QVERIFY(output.contains(QStringLiteral("error getting script directory")));
    }

    void damagedPreferenceFile() {
        const QString file = defaults::UserDefaults::standardFilePath();
        writeText(file, QByteArray("\x7f"
                                   "ELF garbage",
                                   12));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        QProcess app;
        app.setProcessEnvironment(env);
        app.start(test::builtProgram(QStringLiteral("twk-script-installer")),
                  {QStringLiteral("twkscriptinstall://x?script=Open%20Recent.sh")});
        QString errors;
        QTRY_VERIFY_WITH_TIMEOUT(
            (errors += QString::fromUtf8(app.readAllStandardError()))
                .contains(QStringLiteral("could not be read; it was moved to")),
            10000);
        QTest::qWait(300);
        QCOMPARE(app.state(), QProcess::Running); // started, and asking for confirmation
        app.kill();
        app.waitForFinished();
        QCOMPARE(QDir(QFileInfo(file).path()).entryList({QStringLiteral("*.damaged-*")}).size(), 1);
    }

    // Hostile requests sent to a real running instance: it stays up, and nothing outside the
    // user scripts folder changes (what each shows the user is checked in the controller's
    // own tests; here the whole program takes them).
    void badRequestsThroughTheRealProgram() {
        test::PrivateBus bus;
        QVERIFY2(!bus.address().isEmpty(), "dbus-daemon is needed");
        {
            defaults::UserDefaults store(defaults::UserDefaults::standardFilePath());
            store.setBool(true, QStringLiteral("QZ_DontAskToInstall"));
            QVERIFY(store.synchronize());
        }
        const QString outsideTarget = box_.root + QStringLiteral("/outside/victim.txt");
        writeText(outsideTarget, "untouched");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
        QProcess instance;
        instance.setProcessEnvironment(env);
        instance.start(test::builtProgram(QStringLiteral("twk-script-installer")), QStringList());
        QVERIFY(
            QTest::qWaitFor([&] { return bus.ownerPid(BusName) == instance.processId(); }, 20000));

        const auto snapshot = [&] {
            QMap<QString, QByteArray> files;
            QDirIterator it(box_.root,
                            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                if (path.startsWith(box_.userScripts) ||
                    path.contains(QStringLiteral("/.config/")) || path.startsWith(box_.received))
                    continue;
                QFile f(path);
                files.insert(path, it.fileInfo().isFile() && f.open(QIODevice::ReadOnly)
                                       ? f.readAll()
                                       : QByteArray());
            }
            return files;
        };
        const auto before = snapshot();

        const QString prefix = QStringLiteral("twkscriptinstall://x?script=");
        QString manyAttributes = QStringLiteral("twkscriptinstall://x?");
        for (int i = 0; i < 5000; ++i)
            manyAttributes += QStringLiteral("a%1=%2&").arg(i).arg(i);
        const QStringList inputs{
            prefix + QStringLiteral("../outside/victim.txt"),
            prefix + QStringLiteral("..%2Foutside%2Fvictim.txt"),
            prefix + QStringLiteral("..%252Foutside%252Fvictim.txt"),
            prefix + QStringLiteral("%2E%2E"),
            prefix + QStringLiteral("%2F") +
                QString(box_.root).replace(u'/', QStringLiteral("%2F")) +
                QStringLiteral("%2Foutside"),
            prefix + QStringLiteral("Open%20Recent.sh%00..%2F..%2Fx"),
            prefix + QStringLiteral("a%0Ab%0D%09%1B[31m"),
            prefix + QString(10000, u'x'),
            prefix + QStringLiteral("%C3%28%FF%FE"),
            prefix + QStringLiteral("-rf"),
            prefix + QStringLiteral("--install-all"),
            prefix + QStringLiteral("%25@%25n%25s%25x%25999999d"),
            prefix + QString(1 << 20, u'a'),
            manyAttributes + QStringLiteral("script=..%2F..%2Fx"),
            QStringLiteral("file:///etc/passwd?script=Open%20Recent.sh"),
            QStringLiteral("?script=..%2Fx"),
            QStringLiteral("script=../x"),
            prefix + QStringLiteral("Open%20Recent.sh"), // a good one among them, installed
        };
        QDBusConnection connection = bus.connection();
        for (const QString& url : inputs) {
            QDBusMessage open = QDBusMessage::createMethodCall(
                BusName, QStringLiteral("/org/tarnwick/ScriptInstaller"),
                QStringLiteral("org.freedesktop.Application"), QStringLiteral("Open"));
            open << QStringList{url} << QVariantMap();
            const QDBusMessage reply = connection.call(open, QDBus::Block, 20000);
            QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(url.left(80)));
        }
        // The launches a desktop would make, for the ones that fit on a command line.
        for (const QString& url : inputs.mid(0, 12)) {
            QProcess launch;
            launch.setProcessEnvironment(env);
            launch.start(test::builtProgram(QStringLiteral("twk-script-installer")), {url});
            QVERIFY(launch.waitForFinished(20000));
            QCOMPARE(launch.exitCode(), 0);
        }
        QTRY_VERIFY_WITH_TIMEOUT(
            QFileInfo::exists(box_.userScripts + QStringLiteral("/Open Recent.sh")), 10000);
        QTest::qWait(500);
        QCOMPARE(instance.state(), QProcess::Running);
        QCOMPARE(bus.ownerPid(BusName), instance.processId());
        QCOMPARE(snapshot(), before);
        QCOMPARE(readText(outsideTarget), QStringLiteral("untouched"));
        QCOMPARE(entries(box_.userScripts), QStringList{QStringLiteral("Open Recent.sh")});
        instance.kill();
        instance.waitForFinished();
    }
};

TWK_TEST_MAIN_WITH_SANDBOX(TestReliability)
#include "test_reliability.moc"

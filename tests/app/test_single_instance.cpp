// One running instance per session, tried with real processes on a private session bus:
// requests forwarded from later launches, twenty launches at once, an instance that hangs,
// and no bus at all.

#include "support/defaults/UserDefaults.h"
#include "tests/common/PrivateBus.h"
#include "tests/common/TestSandbox.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QProcess>
#include <QtTest>

#include <csignal>
#include <memory>

using namespace twk;

namespace {

const QString BusName = QStringLiteral("org.tarnwick.ScriptInstaller");

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT
    test::PrivateBus bus_;
    std::vector<std::unique_ptr<QProcess>> launched_;
    const test::Sandbox& box_ = test::sandbox();

    QProcessEnvironment environment(bool withBus = true) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        if (withBus)
            env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus_.address());
        return env;
    }

    QProcess* launch(const QStringList& arguments, const QProcessEnvironment& env) {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(env);
        process->start(test::builtProgram(QStringLiteral("twk-script-installer")), arguments);
        process->waitForStarted();
        launched_.push_back(std::move(process));
        return launched_.back().get();
    }
    QProcess* launch(const QStringList& arguments = {}) { return launch(arguments, environment()); }

    qint64 ownerPid() { return bus_.ownerPid(BusName); }

    QProcess* startInstance(const QStringList& arguments = {}) {
        QProcess* instance = launch(arguments);
        if (!QTest::qWaitFor([&] { return ownerPid() == instance->processId(); }, 20000))
            return nullptr;
        return instance;
    }

    QString installed(const QString& name) const { return box_.userScripts + u'/' + name; }

    static QString request(const QString& name) {
        return QStringLiteral("twkscriptinstall://install?script=") +
               QString::fromLatin1(QUrl::toPercentEncoding(name));
    }

    void stopAll() {
        for (auto& process : launched_) {
            if (process->state() != QProcess::NotRunning) {
                ::kill(pid_t(process->processId()), SIGCONT);
                process->kill();
                process->waitForFinished();
            }
        }
        launched_.clear();
        (void)QTest::qWaitFor([&] { return ownerPid() == 0; }, 5000);
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY2(!bus_.address().isEmpty(), "dbus-daemon is needed");
        QVERIFY(bus_.connection().isConnected());
        // Every request below installs without asking.
        defaults::UserDefaults store(defaults::UserDefaults::standardFilePath());
        store.setBool(true, QStringLiteral("QZ_DontAskToInstall"));
        QVERIFY(store.synchronize());
    }

    void cleanupTestCase() { stopAll(); }

    void init() {
        QDir(box_.userScripts).removeRecursively();
        QDir().mkpath(box_.userScripts);
    }

    void cleanup() { stopAll(); }

    void firstLaunchWithUrlBecomesTheInstance() {
        QProcess* first = startInstance({request(QStringLiteral("Open Recent.sh"))});
        QVERIFY(first);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(installed(QStringLiteral("Open Recent.sh"))),
                                 10000);
        QCOMPARE(first->state(), QProcess::Running);
    }

    void laterLaunchForwardsAndExits() {
        QProcess* instance = startInstance();
        QVERIFY(instance);
        QProcess* second = launch({request(QStringLiteral("Word Count.txt"))});
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(installed(QStringLiteral("Word Count.txt"))),
                                 10000);
        QCOMPARE(ownerPid(), instance->processId());

        // Without a URL the instance is only asked to come forward.
        QProcess* third = launch();
        QVERIFY(third->waitForFinished(10000));
        QCOMPARE(third->exitCode(), 0);
        QCOMPARE(instance->state(), QProcess::Running);
    }

    void forwardedNonRequestsChangeNothing() {
        QProcess* instance = startInstance();
        QVERIFY(instance);
        QFile::resize(box_.received, 0);
        for (const QString& text : {QStringLiteral("mailto:someone@example.org"),
                                    QStringLiteral("twkscriptinstall://x?script=%zz"),
                                    QStringLiteral("twkscriptinstall:--install-all")}) {
            QProcess* other = launch({text});
            QVERIFY(other->waitForFinished(10000));
            QCOMPARE(other->exitCode(), 0);
        }
        QTest::qWait(300);
        QVERIFY(QDir(box_.userScripts).isEmpty());
        QCOMPARE(instance->state(), QProcess::Running);
    }

    // Twenty launches at once, twenty different requests: one instance stays, and every
    // request is carried out once.
    void twentyLaunchesAtOnce() {
        QStringList names;
        for (int i = 0; i < 20; ++i) {
            names.append(QStringLiteral("Concurrent %1.sh").arg(i, 2, 10, QChar(u'0')));
            test::writeText(box_.sourceScripts + u'/' + names.last(), QByteArray::number(i));
        }
        QList<QProcess*> processes;
        for (const QString& name : names)
            processes.append(launch({request(name)}));
        QTRY_VERIFY_WITH_TIMEOUT(
            std::all_of(names.begin(), names.end(),
                        [&](const QString& n) { return QFileInfo::exists(installed(n)); }),
            60000);
        QTRY_COMPARE_WITH_TIMEOUT(
            std::count_if(processes.begin(), processes.end(),
                          [](QProcess* p) { return p->state() == QProcess::Running; }),
            1, 20000);
        for (QProcess* process : processes) {
            if (process->state() == QProcess::NotRunning)
                QCOMPARE(process->exitCode(), 0);
            else
                QCOMPARE(ownerPid(), process->processId());
        }
        for (const QString& name : names) {
            QCOMPARE(test::readText(installed(name)),
                     test::readText(box_.sourceScripts + u'/' + name));
            QFile::remove(box_.sourceScripts + u'/' + name);
        }
    }

    // An instance that holds the name but does not answer: the launch gives up on it and
    // handles its request itself.
    void hungInstance() {
        QProcess* instance = startInstance();
        QVERIFY(instance);
        ::kill(pid_t(instance->processId()), SIGSTOP);
        QProcess* next = launch({request(QStringLiteral("Open Recent.sh"))});
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(installed(QStringLiteral("Open Recent.sh"))),
                                 30000);
        QCOMPARE(next->state(), QProcess::Running);
    }

    void noSessionBus() {
        QProcessEnvironment env = environment(false);
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), box_.root + QStringLiteral("/no-bus-here"));
        QDir().mkpath(box_.root + QStringLiteral("/no-bus-here"));
        QProcess* alone = launch({request(QStringLiteral("Open Recent.sh"))}, env);
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(installed(QStringLiteral("Open Recent.sh"))),
                                 20000);
        QString errors;
        QTRY_VERIFY(
            (errors += QString::fromUtf8(alone->readAllStandardError()))
                .contains(QStringLiteral("no session bus: this instance cannot be reached")));
        QCOMPARE(errors.count(QStringLiteral("no session bus")), 1);
        QCOMPARE(alone->state(), QProcess::Running);
    }
};

TWK_TEST_MAIN_WITH_SANDBOX(TestSingleInstance)
#include "test_single_instance.moc"

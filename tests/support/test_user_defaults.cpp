// The preference store: typed values that survive a restart, the class-level shortcuts,
// and damaged files that are kept aside instead of being silently overwritten.

#include "support/defaults/Shortcuts.h"
#include "support/defaults/UserDefaults.h"
#include "tests/common/LogCapture.h"
#include "tests/common/TestSandbox.h"

#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <limits>

using namespace twk;
using defaults::UserDefaults;

namespace {

QString runProbe(const QString& file, const char* mode) {
    QProcess probe;
    probe.start(test::builtProgram(QStringLiteral("defaults_probe")), {file, QLatin1String(mode)});
    if (!probe.waitForFinished(30000) || probe.exitCode() != 0)
        return QStringLiteral("probe failed: ") + QString::fromUtf8(probe.readAllStandardError());
    return QString::fromUtf8(probe.readAllStandardOutput());
}

quint32 bitsOf(float f) {
    quint32 bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits;
}

} // namespace

class TestUserDefaults : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString fresh(const char* name) { return dir_.filePath(QLatin1String(name)); }

private Q_SLOTS:
    void emptyKeysReadNeutral() {
        UserDefaults store(fresh("neutral.conf"));
        QVERIFY(!store.objectForKey(QStringLiteral("missing")).has_value());
        QCOMPARE(store.boolForKey(QStringLiteral("missing")), false);
        QCOMPARE(store.floatForKey(QStringLiteral("missing")), 0.0f);
        QCOMPARE(store.integerForKey(QStringLiteral("missing")), 0);
    }

    // Another process reads exactly what this one's store wrote, and the other way round.
    void typesSurviveAnotherProcess() {
        const QString file = fresh("written-by-child.conf");
        QCOMPARE(runProbe(file, "write"), QString());
        UserDefaults store(file);
        QCOMPARE(store.boolForKey(QStringLiteral("bool")), true);
        QCOMPARE(bitsOf(store.floatForKey(QStringLiteral("float"))), bitsOf(0.1f));
        QCOMPARE(bitsOf(store.floatForKey(QStringLiteral("negativeZero"))), bitsOf(-0.0f));
        QCOMPARE(store.integerForKey(QStringLiteral("integer")),
                 std::numeric_limits<qint64>::min());
        // A stored "no" is text, not a boolean: it must not read back as YES by accident.
        QCOMPARE(store.objectForKey(QStringLiteral("text"))->typeId(), int(QMetaType::QString));
        QCOMPARE(store.boolForKey(QStringLiteral("text")), false);
        QCOMPARE(store.objectForKey(QStringLiteral("date"))->toDateTime().toMSecsSinceEpoch(),
                 1234567890123);
        const QVariantMap map = store.objectForKey(QStringLiteral("dictionary"))->toMap();
        QCOMPARE(map.value(QStringLiteral("countKey")).toLongLong(), 3);
        QCOMPARE(map.value(QStringLiteral("nested")).toList().value(1).toString(),
                 QStringLiteral("x"));

        const QString mine = fresh("written-by-parent.conf");
        {
            UserDefaults writer(mine);
            writer.setFloat(3.4028235e38f, QStringLiteral("float"));
            writer.setInteger(std::numeric_limits<qint64>::max(), QStringLiteral("integer"));
            writer.setObject(QDateTime::fromMSecsSinceEpoch(-1, Qt::UTC), QStringLiteral("date"));
        }
        const QString printed = runProbe(mine, "read");
        QVERIFY2(printed.contains(QStringLiteral("float float 7f7fffff")), qPrintable(printed));
        QVERIFY2(printed.contains(QStringLiteral("integer qlonglong 9223372036854775807")),
                 qPrintable(printed));
        QVERIFY2(printed.contains(QStringLiteral("date QDateTime -1")), qPrintable(printed));
    }

    void changesAreAnnounced() {
        UserDefaults store(fresh("signals.conf"));
        QSignalSpy spy(&store, &UserDefaults::valueChanged);
        store.setBool(true, QStringLiteral("a"));
        store.removeObjectForKey(QStringLiteral("a"));
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("a"));
    }

    void damagedFiles_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("garbage") << QByteArray("\x00\xff\x13garbage{{{", 14);
        QTest::newRow("truncated") << QByteArray("{\"values\": {\"a\": {\"bool\": tr");
        QTest::newRow("wrong shape") << QByteArray("{\"values\": {\"a\": {\"bool\": \"yes\"}}}");
        QTest::newRow("not an object") << QByteArray("[1, 2, 3]");
    }
    void damagedFiles() {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("damaged.conf"));
        test::writeText(file, content);
        test::LogCapture log;
        {
            UserDefaults store(file);
            QVERIFY(store.allKeys().isEmpty());
            store.setBool(true, QStringLiteral("after"));
            QVERIFY(store.synchronize());
        }
        QCOMPARE(log.lines.size(), 1);
        QVERIFY(log.lines.first().contains(QStringLiteral("could not be read")));
        // The damaged bytes are kept aside, untouched; the store goes on in a new file.
        const QStringList aside =
            QDir(dir.path()).entryList({QStringLiteral("damaged.conf.damaged-*")});
        QCOMPARE(aside.size(), 1);
        QFile kept(dir.filePath(aside.first()));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), content);
        QCOMPARE(UserDefaults(file).boolForKey(QStringLiteral("after")), true);
    }

    void emptyFileIsNotDamaged() {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("empty.conf"));
        test::writeText(file, "");
        test::LogCapture log;
        UserDefaults store(file);
        QVERIFY(log.lines.isEmpty());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    }

    // The class-level shortcuts work on the application's own file.
    void shortcuts() {
        const QString file = UserDefaults::standardFilePath();
        QVERIFY(file.startsWith(test::sandbox().home));
        QVERIFY(file.endsWith(QStringLiteral("/org.tarnwick.ScriptInstaller.conf")));

        QCOMPARE(defaults::toggleBoolForKey(QStringLiteral("toggled")), true);
        QCOMPARE(defaults::boolForKey(QStringLiteral("toggled")), true);
        QCOMPARE(defaults::toggleBoolForKey(QStringLiteral("toggled")), false);
        QCOMPARE(defaults::boolForKey(QStringLiteral("toggled")), false);

        defaults::setFloat(0.3f, QStringLiteral("f"));
        QCOMPARE(bitsOf(defaults::floatForKey(QStringLiteral("f"))), bitsOf(0.3f));
        defaults::setInteger(-7, QStringLiteral("i"));
        QCOMPARE(defaults::integerForKey(QStringLiteral("i")), -7);
        defaults::setObject(QStringLiteral("v"), QStringLiteral("o"));
        QCOMPARE(defaults::objectForKey(QStringLiteral("o"))->toString(), QStringLiteral("v"));

        defaults::removeObjectForKey(std::nullopt);
        QVERIFY(defaults::objectForKey(QStringLiteral("o")).has_value());
        defaults::setBool(true, QStringLiteral("QZ_DontAskToInstall"));
        defaults::removeObjectForKey(QStringLiteral("QZ_DontAskToInstall"));
        QCOMPARE(defaults::boolForKey(QStringLiteral("QZ_DontAskToInstall")), false);

        defaults::setBool(true, QStringLiteral("QZ_DontAskToInstall"));
        defaults::synchronize();
        QCOMPARE(UserDefaults(file).boolForKey(QStringLiteral("QZ_DontAskToInstall")), true);
        defaults::resetAllValues();
        QCOMPARE(defaults::boolForKey(QStringLiteral("QZ_DontAskToInstall")), false);
        QVERIFY(defaults::objectForKey(QStringLiteral("o")) == std::nullopt);
        // Written out at once: a new reader of the file finds nothing either.
        QVERIFY(UserDefaults(file).allKeys().isEmpty());
    }
};

TWK_TEST_MAIN_WITH_SANDBOX(TestUserDefaults)
#include "test_user_defaults.moc"

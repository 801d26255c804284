// The preference store on real files: typed values and keys kept exactly, one truth for two
// stores on one file, odd and damaged files set aside, failed writes reported; the counted
// and timed actions as sequences of calls; bindings on real widgets; the base directories.

#include "support/defaults/Bindings.h"
#include "support/defaults/Clock.h"
#include "support/defaults/CountedActions.h"
#include "support/defaults/Shortcuts.h"
#include "support/defaults/UserDefaults.h"
#include "support/environment/BaseDirectories.h"
#include "support/log/SystemLog.h"
#include "tests/common/Testing.h"

#include <QApplication>
#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>

#include <cmath>
#include <csignal>
#include <ctime>
#include <limits>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace twk;
using namespace twk::defaults;

namespace {

QDateTime now;

QDateTime at(const char* localTime) {
    return QDateTime::fromString(QLatin1String(localTime), Qt::ISODate);
}

// One call of a counted or timed action: the operation, the name, n (or hours), the clock
// moved by seconds first, and the answer expected (1/0 for yes/no, or the count). The last
// three look at the store: the number kept under a key, whether it holds one at all, and the
// same in the standard store.
enum Op {
    Once,
    NTimes,
    After,
    ForHours,
    IfHoursPassed,
    CountDays,
    DaysUsed,
    Increment,
    StoredNumber,
    Stored,
    StoredInStandard
};
struct Call {
    Op op;
    const char* name;
    double n;
    qint64 advance;
    qint64 expected;
};

qint64 perform(UserDefaults& store, const Call& call) {
    const QString name = QString::fromUtf8(call.name);
    switch (call.op) {
    case Once:
        return doOnce(store, name);
    case NTimes:
        return doThis(store, name, qint64(call.n));
    case After:
        return after(store, qint64(call.n), name);
    case ForHours:
        return forN(float(call.n), name);
    case IfHoursPassed:
        return ifN(float(call.n), name);
    case CountDays:
        return countDaysUsed(store, name);
    case DaysUsed:
        return getDaysUsed(store, name);
    case Increment:
        return increment(store, name);
    case StoredNumber:
        return store.integerForKey(name);
    case Stored:
        return store.objectForKey(name).has_value();
    case StoredInStandard:
        break;
    }
    return objectForKey(name).has_value();
}

QStringList logged;

} // namespace

Q_DECLARE_METATYPE(QList<Call>)

class TestDefaults : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString file(const char* name) const { return dir_.filePath(QLatin1String(name)); }

private Q_SLOTS:
    void initTestCase() {
        log::setLogSinkForTesting([](const QString& line) { logged.append(line); });
        setClockForTesting([] { return now; });
    }
    void init() {
        logged.clear();
        now = at("2026-03-07T12:00:00");
        resetAllValues();
    }

    void actions_data() {
        // clang-format off
        QTest::addColumn<QList<Call>>("calls");
        const double nan = std::nan("");
        QTest::newRow("once, case-sensitive") << QList<Call>{{Once, "tip", 0, 0, 1}, {Once, "tip", 0, 0, 0}, {Once, "Tip", 0, 0, 1}};
        QTest::newRow("n times counts on") << QList<Call>{{NTimes, "x", 3, 0, 1}, {NTimes, "x", 3, 0, 1}, {NTimes, "x", 3, 0, 1}, {NTimes, "x", 3, 0, 0}, {StoredNumber, "QZ_doThisNTimesx", 0, 0, 4}};
        QTest::newRow("n times zero and negative") << QList<Call>{{NTimes, "z", 0, 0, 0}, {NTimes, "z", -2, 0, 0}, {StoredNumber, "QZ_doThisNTimesz", 0, 0, 2}};
        QTest::newRow("n times -1 resets") << QList<Call>{{NTimes, "r", 1, 0, 1}, {NTimes, "r", 1, 0, 0}, {NTimes, "r", -1, 0, 0}, {Stored, "QZ_doThisNTimesr", 0, 0, 0}, {NTimes, "r", 1, 0, 1}};
        QTest::newRow("after fires once") << QList<Call>{{After, "rate", 3, 0, 0}, {StoredNumber, "QZ_Timesrate", 0, 0, 1}, {After, "rate", 3, 0, 0}, {After, "rate", 3, 0, 1}, {StoredNumber, "QZ_Timesrate", 0, 0, -1}, {After, "rate", 0, 0, 0}, {StoredNumber, "QZ_Timesrate", 0, 0, -1}, {After, "rate", -1, 0, 0}, {After, "rate", 1, 0, 1}};
        QTest::newRow("after on its own count") << QList<Call>{{After, "z", 0, 0, 0}, {After, "z", -5, 0, 0}, {After, "z", 2, 0, 0}, {After, "z", 4, 0, 1}};
        QTest::newRow("one name, three states") << QList<Call>{{Once, "n", 0, 0, 1}, {NTimes, "n", 1, 0, 1}, {After, "n", 1, 0, 1}, {Once, "n", 0, 0, 0}};
        QTest::newRow("increment") << QList<Call>{{Increment, "runs", 0, 0, 1}, {Increment, "runs", 0, 0, 2}, {StoredNumber, "runs", 0, 0, 2}};
        QTest::newRow("for 24 hours") << QList<Call>{{ForHours, "trial", 24, 0, 1}, {ForHours, "trial", 24, 24 * 3600 - 1, 1}, {ForHours, "trial", 24, 1, 0}, {ForHours, "trial", 48, -3600, 1}};
        QTest::newRow("for 0 and negative hours") << QList<Call>{{ForHours, "zero", 0, 0, 1}, {ForHours, "zero", 0, 1, 0}, {ForHours, "neg", -1, 0, 0}, {StoredInStandard, "QZ_Hoursneg", 0, 0, 1}, {ForHours, "nan", nan, 0, 0}, {ForHours, "nan", nan, 0, 0}};
        QTest::newRow("single precision hours") << QList<Call>{{ForHours, "p", 100000, 0, 1}, {ForHours, "p", 100000, 100000LL * 3600 - 1, 0}};
        QTest::newRow("if 24 hours passed") << QList<Call>{{IfHoursPassed, "nag", 24, 0, 1}, {IfHoursPassed, "nag", 24, 23 * 3600, 0}, {IfHoursPassed, "nag", 24, 3600, 0}, {IfHoursPassed, "nag", 24, 1, 1}, {IfHoursPassed, "nag", 24, 23 * 3600, 0}};
        QTest::newRow("if 0 or nan hours") << QList<Call>{{IfHoursPassed, "neg", -1, 0, 1}, {IfHoursPassed, "neg", -1, 0, 1}, {IfHoursPassed, "nan", nan, 0, 1}, {IfHoursPassed, "nan", nan, 3600000, 0}, {IfHoursPassed, "z", 0, 0, 1}, {IfHoursPassed, "z", 0, 0, 0}};
        QTest::newRow("days") << QList<Call>{{DaysUsed, "app", 0, 0, 0}, {CountDays, "app", 0, 0, 1}, {CountDays, "app", 0, 11 * 3600 + 3599, 1}, {CountDays, "app", 0, 2, 2}, {DaysUsed, "app", 0, 0, 2}, {CountDays, "app", 0, -3 * 86400, 3}};
        // clang-format on
    }
    void actions() {
        QFETCH(QList<Call>, calls);
        UserDefaults store(file("actions.conf"));
        for (const QString& key : store.allKeys())
            store.removeObjectForKey(key);
        for (const Call& call : calls) {
            now = now.addSecs(call.advance);
            QCOMPARE(perform(store, call), call.expected);
        }
        QVERIFY(store.synchronize().ok());
        UserDefaults again(file("actions.conf")); // the state outlives the process
        QCOMPARE(again.allKeys(), store.allKeys());
    }

    void dayRecords() {
        qputenv("TZ", "America/New_York");
        tzset();
        QVERIFY(isSameDayAs(at("2026-11-01T00:30:00"), at("2026-11-01T23:30:00"))); // 25 hours
        QVERIFY(!isSameDayAs(at("2026-11-01T23:59:59"), at("2026-11-02T00:00:00")));
        QVERIFY(!isSameDayAs(distantPast(), now) && !isSameDayAs(QDateTime(), QDateTime()));
        UserDefaults store(file("days.conf"));
        store.setObject(
            QVariantMap{{"dateKey", now.addDays(-1)}, {"countKey", qint64(7)}, {"extra", "kept"}},
            "QZ_CountDaysx");
        QCOMPARE(countDaysUsed(store, "x"), 8);
        const QVariantMap record = store.objectForKey("QZ_CountDaysx")->toMap();
        QVERIFY(record.value("extra") == "kept" && record.value("dateKey").toDateTime() == now);
        QSignalSpy writes(&store, &UserDefaults::valueChanged);
        QVERIFY(countDaysUsed(store, "x") == 8 && writes.isEmpty()); // the same day writes nothing
        QVERIFY(doOnce("std") && objectForKey("QZ_Oncestd") && !store.objectForKey("QZ_Oncestd"));
        QVERIFY(doThis("std", 1) && after(1, "std"));
    }

    // Every kind survives a new reader bit for bit, under keys kept exactly as given.
    void typesAndKeysKeptExactly() {
        // clang-format off
        const QVariantMap values{{"a/b", true}, {"a//b", false}, {"a/", QVariant(-0.0f)}, {"p", 0.1f}, {"p/q", QStringLiteral("no")},
                                 {"", qint64(std::numeric_limits<qint64>::min())}, {"u", quint64(18446744073709551615ULL)},
                                 {"\\x", QDateTime::fromMSecsSinceEpoch(1234567890123, Qt::UTC)}, {"data", QByteArray("\0\xff", 2)},
                                 {"#;=[] ü", QVariantMap{{"countKey", qint64(3)}, {"nested", QVariantList{1.5, "x"}}}}};
        // clang-format on
        {
            UserDefaults store(file("types.conf"));
            for (auto it = values.begin(); it != values.end(); ++it)
                store.setObject(it.value(), it.key());
            store.removeObjectForKey("p");
            QVERIFY(store.synchronize().ok());
        }
        UserDefaults store(file("types.conf"));
        QCOMPARE(store.allKeys().size(), values.size() - 1);
        for (auto it = values.begin(); it != values.end(); ++it) {
            if (it.key() == u"p")
                continue;
            const QVariant read = *store.objectForKey(it.key());
            QCOMPARE(read.metaType(), it.value().metaType());
            QCOMPARE(read, it.value());
        }
        QCOMPARE(store.boolForKey("p/q"), false); // the text "no" is no YES
        QVERIFY(std::signbit(store.floatForKey("a/")));
        QCOMPARE(store.integerForKey(""), std::numeric_limits<qint64>::min());
        QVERIFY(!store.objectForKey("p") && store.boolForKey("a/b") && !store.boolForKey("a//b"));
    }

    // What a newer version wrote and this one cannot read (a kind it does not know, at the top
    // or inside a dictionary; a member beside "values") is written back exactly as it came,
    // and reads as absent.
    void newerVersionsDataKept() {
        const QString path = file("newer.conf");
        test::write(path, R"({"values": {"a": {"colour": [1, 2]}, "d": {"dictionary": )"
                          R"({"x": {"bool": true}, "y": {"uuid": "u"}}}}, "comments": ["kept"]})");
        UserDefaults store(path);
        QVERIFY(!store.objectForKey("a") && !store.boolForKey("a"));
        QCOMPARE(store.allKeys(), (QStringList{"d"}));
        store.setBool(true, "QZ_DontAskToInstall");
        QVERIFY(store.synchronize().ok());
        const QJsonObject written = QJsonDocument::fromJson(test::read(path)).object();
        QCOMPARE(written.value("comments"), QJsonValue(QJsonArray{"kept"}));
        const QJsonObject values = written.value("values").toObject();
        QCOMPARE(values.value("a"), QJsonValue(QJsonObject{{"colour", QJsonArray{1, 2}}}));
        QCOMPARE(values.value("d").toObject().value("dictionary").toObject().value("y"),
                 QJsonValue(QJsonObject{{"uuid", "u"}}));
        QVERIFY(UserDefaults(path).boolForKey("QZ_DontAskToInstall"));
        // Set aside twice in one moment: two files, each under its own name with the time.
        for (int i = 0; i < 2; ++i) {
            test::write(path, "{broken");
            QVERIFY(UserDefaults(path).allKeys().isEmpty());
        }
        const QStringList aside = QDir(dir_.path()).entryList({"newer.conf.damaged-*"});
        QCOMPARE(aside.size(), 2);
        static const QRegularExpression named(
            QStringLiteral("^newer\\.conf\\.damaged-\\d{8}-\\d{6}-\\d{3}(-2)?$"));
        for (const QString& name : aside)
            QVERIFY2(named.match(name).hasMatch(), qPrintable(name));
    }

    // Two stores on one file stand for two processes: each reads what the other wrote, and
    // writing merges instead of overwriting.
    void oneTruthForTwoStores() {
        UserDefaults first(file("shared.conf")), second(file("shared.conf"));
        first.setBool(true, "QZ_DontAskToInstall");
        QVERIFY(!second.boolForKey("QZ_DontAskToInstall"));
        QTRY_VERIFY(second.boolForKey("QZ_DontAskToInstall")); // written soon, unasked
        second.setInteger(5, "count");
        first.setInteger(6, "other");
        QVERIFY(second.synchronize().ok() && first.synchronize().ok());
        QCOMPARE(UserDefaults(file("shared.conf")).allKeys().size(), 3);
        second.watchFile();
        QSignalSpy seen(&second, &UserDefaults::valueChanged);
        first.removeObjectForKey("QZ_DontAskToInstall");
        QVERIFY(first.synchronize().ok());
        QTRY_VERIFY(std::any_of(seen.begin(), seen.end(), [](const QList<QVariant>& signal) {
            return signal.first().toString() == u"QZ_DontAskToInstall";
        }));
        QVERIFY(!second.boolForKey("QZ_DontAskToInstall"));
    }

    // Whatever lies at the path, reading never hangs or aborts: anything but a small regular
    // file of the right shape is set aside, and the store starts empty.
    void oddFiles_data() {
        // clang-format off
        QTest::addColumn<QByteArray>("content"); // of a plain file; the first three are not one
        for (const char* kind : {"fifo", "link to /dev/zero", "folder"}) QTest::newRow(kind) << QByteArray();
        QTest::newRow("two MiB") << QByteArray(2 << 20, ' ');
        QTest::newRow("garbage") << QByteArray("\0\xff{{{", 5);
        QTest::newRow("truncated") << QByteArray("{\"values\": {\"a\": {\"bool\": tr");
        QTest::newRow("array") << QByteArray("[1]");
        QTest::newRow("wrong shape") << QByteArray("{\"values\": {\"a\": {\"bool\": \"2026-03-07T12:00:00.000\"}}}"); // text, a date's even, for a truth value
        QTest::newRow("wrong shape of a list") << QByteArray("{\"values\": {\"a\": {\"array\": 5}}}");
        // clang-format on
    }
    void oddFiles() {
        QFETCH(QByteArray, content);
        const QLatin1StringView kind(QTest::currentDataTag());
        const QString path = file("odd.conf");
        QFile::remove(path);
        QDir(path).removeRecursively();
        const QByteArray native = QFile::encodeName(path);
        if (kind == "fifo")
            QCOMPARE(::mkfifo(native.constData(), 0600), 0);
        else if (kind == "link to /dev/zero")
            QVERIFY(QFile::link("/dev/zero", path));
        else if (kind == "folder")
            QVERIFY(QDir().mkpath(path));
        else
            test::write(path, content);
        const QByteArray before = QFileInfo(path).isFile() && !QFileInfo(path).isSymLink()
                                      ? test::read(path)
                                      : QByteArray();
        UserDefaults store(path);
        QVERIFY(store.allKeys().isEmpty());
        QCOMPARE(logged.size(), 1);
        const QStringList aside =
            QDir(dir_.path()).entryList({"odd.conf.damaged-*"}, QDir::AllEntries | QDir::System);
        QCOMPARE(aside.size(), 1);
        if (!before.isEmpty())
            QCOMPARE(test::read(dir_.filePath(aside.first())).left(64), before.left(64));
        QDir(dir_.path()).remove(aside.first()) ||
            QDir(dir_.filePath(aside.first())).removeRecursively();
        store.setBool(true, "after");
        QVERIFY(store.synchronize().ok());
        QVERIFY(UserDefaults(path).boolForKey("after"));
    }

    // A file that cannot be read (an administrator's) is logged once, not at every read. A write
    // that fails is reported and logged with its cause; the file stays whole, and the change
    // stays pending until it can be written.
    void failedReadsAndWrites() {
        const QString path = file("limited.conf");
        UserDefaults store(path);
        store.setBool(true, "kept");
        QVERIFY(store.synchronize().ok());
        // A file nobody may read where anybody may look: root reads it as nobody.
        QTemporaryDir open(QStringLiteral("/tmp/twk-locked-XXXXXX"));
        test::write(open.filePath("locked.conf"), "{}");
        QVERIFY(QFile::setPermissions(open.path(), QFile::Permissions(0x7755)) &&
                QFile::setPermissions(open.filePath("locked.conf"), {}));
        QVERIFY(::seteuid(::getuid() ? ::getuid() : 65534) == 0);
        UserDefaults locked(open.filePath("locked.conf"));
        const bool read = locked.boolForKey("kept") || locked.boolForKey("kept");
        QVERIFY(::seteuid(::getuid()) == 0 && !read && logged.size() == 1);
        const QByteArray before = test::read(path);
        rlimit old;
        ::getrlimit(RLIMIT_FSIZE, &old);
        const rlimit small{16, old.rlim_max};
        std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &small);
        store.setObject(QString(200, u'x'), "big");
        const posix::Status written = store.synchronize();
        ::setrlimit(RLIMIT_FSIZE, &old);
        QCOMPARE(written.error(), EFBIG);
        QVERIFY(logged.last().contains(written.reason()));
        QCOMPARE(test::read(path), before);
        QCOMPARE(QDir(dir_.path()).entryList({"limited.conf*"}).size(), 1); // no temporary left
        QVERIFY(store.synchronize().ok()); // written once it can be
        QCOMPARE(UserDefaults(path).objectForKey("big")->toString().size(), 200);
        // A link to the file (a managed dotfile) stays a link.
        QVERIFY(QFile::link(path, file("link.conf")));
        UserDefaults linked(file("link.conf"));
        linked.setBool(false, "kept");
        QVERIFY(linked.synchronize().ok() && QFileInfo(file("link.conf")).isSymLink());
        QVERIFY(!UserDefaults(path).boolForKey("kept"));
    }

    void shortcuts() {
        QCOMPARE(UserDefaults::standardFilePath(),
                 test::sandbox().config + "/org.tarnwick.ScriptInstaller.conf");
        QVERIFY(toggleBoolForKey("t") && !toggleBoolForKey("t") && !boolForKey("t"));
        setFloat(0.3f, "f");
        setInteger(-7, "i");
        setObject(QStringLiteral(" Yes "), "s");
        QVERIFY(floatForKey("f") == 0.3f && integerForKey("i") == -7 &&
                floatForKey("none") == 0.0f && boolForKey("s"));
        removeObjectForKey(std::nullopt);
        QVERIFY(objectForKey("i"));
        setBool(true, "QZ_DontAskToInstall");
        synchronize();
        QVERIFY(UserDefaults(UserDefaults::standardFilePath()).boolForKey("QZ_DontAskToInstall"));
        resetAllValues();
        QVERIFY(!boolForKey("QZ_DontAskToInstall") && !objectForKey("i"));
        QVERIFY(UserDefaults(UserDefaults::standardFilePath()).allKeys().isEmpty());
    }

    void bindings() {
        QCheckBox plain, negated;
        bindObject(&plain, "checked", "Flag");
        bindObject(&negated, "not.checked", "Flag");
        QVERIFY(!plain.isChecked() && negated.isChecked());
        plain.show();
        QTest::mouseClick(&plain, Qt::LeftButton);
        QVERIFY(boolForKey("Flag") && !negated.isChecked());
        toggleBoolForKey("Flag");
        QVERIFY(!plain.isChecked() && negated.isChecked());
        setObject(QStringLiteral("stored"), "Name");
        QLineEdit edit;
        bindObject(&edit, "Name");
        QCOMPARE(edit.text(), QStringLiteral("stored"));
        edit.show();
        QTest::keyClicks(&edit, "!");
        QCOMPARE(objectForKey("Name")->toString(), QStringLiteral("stored!")); // continuously
        QLineEdit later;
        bind(&later, "text", UserDefaultsController::sharedUserDefaultsController(), "values.Later",
             {});
        later.show();
        QTest::keyClicks(&later, "abc");
        QVERIFY(!objectForKey("Later"));
        QTest::keyClick(&later, Qt::Key_Return);
        QCOMPARE(objectForKey("Later")->toString(), QStringLiteral("abc"));
        setInteger(7, "Count");
        QSpinBox spin;
        bindObject(&spin, "Count");
        QCOMPARE(spin.value(), 7);
        // Prefixes: "not.not.checked" binds "not.checked" (no such property); "Not.x" is no prefix.
        bindObject(&plain, "not.not.checked", "Flag");
        bindObject(&plain, "Not.checked", "Flag");
        bindObject(&plain, "enabled", "Flag"); // no notify signal
        QCOMPARE(logged.size(), 3);
        QVERIFY(logged[0].contains("\"not.checked\"") && logged[1].contains("\"Not.checked\""));
        bindObject(&plain, "checked", "Other"); // rebinding replaces
        QCOMPARE(plain.findChildren<QObject*>(QString(), Qt::FindDirectChildrenOnly).size(), 1);
        auto* gone = new QCheckBox;
        bindObject(gone, "checked", "Flag");
        delete gone;
        toggleBoolForKey("Flag"); // must not reach the deleted widget
    }

    // Only absolute HOME and XDG values count; the others give the password database's home.
    void baseDirectories() {
        const QByteArray savedHome = qgetenv("HOME"), savedConfig = qgetenv("XDG_CONFIG_HOME");
        const QString passwordHome = QFile::decodeName(::getpwuid(::getuid())->pw_dir);
        // Absolute values count; unset or relative ones give the defaults.
        for (const QByteArray& home : {QByteArray("/tmp/h"), QByteArray(), QByteArray("h")}) {
            const QByteArray config = home.isNull() ? home : home.left(home.size() - 1) + "c";
            const bool kept = home.startsWith('/');
            for (const auto& [name, value] :
                 {std::pair("HOME", home), std::pair("XDG_CONFIG_HOME", config)}) {
                value.isNull() ? qunsetenv(name) : qputenv(name, value);
            }
            qputenv("XDG_DATA_DIRS", "rel:/usr/share:also/rel");
            const QString foundHome = environment::homeFolder();
            QCOMPARE(foundHome, kept ? QString::fromLatin1(home) : passwordHome);
            QCOMPARE(environment::configHome(),
                     kept ? QString::fromLatin1(config) : foundHome + "/.config");
            environment::sanitizeEnvironment();
            QCOMPARE(qgetenv("HOME"), foundHome.toLocal8Bit());
            QCOMPARE(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"), kept);
            QCOMPARE(qgetenv("XDG_DATA_DIRS"), QByteArray("/usr/share"));
        }
        qputenv("HOME", savedHome);
        qputenv("XDG_CONFIG_HOME", savedConfig);
    }
};

TWK_TEST_MAIN(TestDefaults)
#include "test_defaults.moc"

// Durations, dates in two locales and two time zones, standard folders, random strings
// and UUIDs.

#include "support/strings/Generation.h"
#include "tests/common/TestSandbox.h"

#include <QRegularExpression>
#include <QtTest>

#include <cstdlib>
#include <ctime>
#include <limits>

using namespace twk::strings;

namespace {
const QString NNBSP = QString(QChar(0x202F));

void useLocaleAndZone(const QString& locale, const QString& zone) {
    qputenv("LANG", locale.toLatin1());
    qunsetenv("LC_ALL");
    qunsetenv("LC_TIME");
    qputenv("TZ", zone.toLatin1());
    tzset();
}
} // namespace

class TestGeneration : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void durations_data() {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("clock");
        QTest::addColumn<QString>("letters");
        auto row = [](qint64 s, const char* c, const char* l) {
            QTest::newRow(QByteArray::number(s).constData())
                << s << QString::fromLatin1(c) << QString::fromLatin1(l);
        };
        row(0, "00:00", "00m 00s");
        row(1, "00:01", "00m 01s");
        row(59, "00:59", "00m 59s");
        row(61, "01:01", "01m 01s");
        row(3599, "59:59", "59m 59s");
        row(3600, "1:00:00", "1h 00m 00s");
        row(3661, "1:01:01", "1h 01m 01s");
        row(86400, "24:00:00", "24h 00m 00s");
        row(360000, "100:00:00", "100h 00m 00s");
        row(-1, "-00:01", "00m -1s");
        row(-61, "-01:01", "00m -61s");
        row(-3600, "-1:00:00", "00m -3600s");
        row(-3661, "-1:01:01", "00m -3661s");
        row(std::numeric_limits<qint64>::max(), "2562047788015215:30:07",
            "2562047788015215h 30m 07s");
        row(std::numeric_limits<qint64>::min(), "-2562047788015215:30:08",
            "00m -9223372036854775808s");
    }
    void durations() {
        QFETCH(qint64, seconds);
        QFETCH(QString, clock);
        QFETCH(QString, letters);
        QCOMPARE(timeStringFromSecs(seconds), clock);
        QCOMPARE(timeStringFromSecsWithLetters(seconds), letters);
    }

    void dates_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("zone");
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<int>("dateStyle");
        QTest::addColumn<int>("timeStyle");
        QTest::addColumn<QString>("text");
        auto row = [](const char* name, const char* locale, const char* zone, qint64 s, int d,
                      int t, const QString& text) {
            QTest::newRow(name) << QString::fromLatin1(locale) << QString::fromLatin1(zone) << s
                                << d << t << text;
        };
        const qint64 summer = 1751328000; // 2025-07-01 00:00 UTC
        row("none none", "en_US.UTF-8", "UTC", 0, 0, 0, "");
        row("en UTC short", "en_US.UTF-8", "UTC", 0, 1, 1, "1/1/70, 12:00" + NNBSP + "AM");
        row("en UTC medium", "en_US.UTF-8", "UTC", 0, 2, 2, "Jan 1, 1970, 12:00:00" + NNBSP + "AM");
        row("en UTC long date", "en_US.UTF-8", "UTC", 0, 3, 0, "January 1, 1970");
        row("en UTC full", "en_US.UTF-8", "UTC", 0, 4, 4,
            "Thursday, January 1, 1970 at 12:00:00" + NNBSP + "AM Coordinated Universal Time");
        row("en NY winter", "en_US.UTF-8", "America/New_York", 0, 1, 3,
            "12/31/69, 7:00:00" + NNBSP + "PM EST");
        row("en NY summer", "en_US.UTF-8", "America/New_York", summer, 2, 3,
            "Jun 30, 2025, 8:00:00" + NNBSP + "PM EDT");
        row("en time only", "en_US.UTF-8", "America/New_York", 0, 0, 1, "7:00" + NNBSP + "PM");
        row("de UTC short", "de_DE.UTF-8", "UTC", 0, 1, 1, "01.01.70, 00:00");
        row("de UTC long", "de_DE.UTF-8", "UTC", 0, 3, 2, "1. Januar 1970 um 00:00:00");
        row("de NY full", "de_DE.UTF-8", "America/New_York", 0, 4, 0,
            "Mittwoch, 31. Dezember 1969");
        row("de NY summer", "de_DE.UTF-8", "America/New_York", summer, 2, 2,
            "30.06.2025, 20:00:00");
        row("de NY long time", "de_DE.UTF-8", "America/New_York", 0, 0, 3, "19:00:00 GMT-5");
        row("unknown styles are none", "de_DE.UTF-8", "UTC", 0, 9, 1, "00:00");
    }
    void dates() {
        QFETCH(QString, locale);
        QFETCH(QString, zone);
        QFETCH(qint64, seconds);
        QFETCH(int, dateStyle);
        QFETCH(int, timeStyle);
        QFETCH(QString, text);
        useLocaleAndZone(locale, zone);
        QCOMPARE(dateTimeFromSecsSince1970(seconds, quint64(dateStyle), quint64(timeStyle)), text);
    }

    void localeVariablesInPosixOrder() {
        useLocaleAndZone(QStringLiteral("en_US.UTF-8"), QStringLiteral("UTC"));
        qputenv("LC_TIME", "de_DE.UTF-8");
        QCOMPARE(dateTimeFromSecsSince1970(0, 1, 0), QStringLiteral("01.01.70"));
        qputenv("LC_ALL", "en_US.UTF-8");
        QCOMPARE(dateTimeFromSecsSince1970(0, 1, 0), QStringLiteral("1/1/70"));
        qunsetenv("LC_ALL");
        qunsetenv("LC_TIME");
    }

    void folders_data() {
        QTest::addColumn<quint64>("kind");
        QTest::addColumn<quint64>("domain");
        QTest::addColumn<std::optional<QString>>("path");
        const QString home = twk::test::sandbox().home;
        using O = std::optional<QString>;
        QTest::newRow("documents") << quint64(9) << quint64(1) << O(home + "/Documents");
        QTest::newRow("caches") << quint64(13) << quint64(1) << O(home + "/.cache");
        QTest::newRow("application support")
            << quint64(14) << quint64(1) << O(home + "/.local/share");
        QTest::newRow("applications, system")
            << quint64(1) << quint64(8) << O("/usr/share/applications");
        QTest::newRow("users, local") << quint64(7) << quint64(2) << O("/home");
        QTest::newRow("no such kind") << quint64(10) << quint64(1) << O();
        QTest::newRow("no such domain") << quint64(9) << quint64(4) << O();
        QTest::newRow("unknown kind") << quint64(12345) << quint64(0xffff) << O();
    }
    void folders() {
        QFETCH(quint64, kind);
        QFETCH(quint64, domain);
        QFETCH(std::optional<QString>, path);
        QCOMPARE(userDirectoryOfType(kind, domain), path);
        if (domain == 1)
            QCOMPARE(userDirectoryOfType(kind), path);
    }

    void randomStrings() {
        QCOMPARE(randomString(0), QString());
        QCOMPARE(randomString(-5), QString());
        QCOMPARE(randomString(std::numeric_limits<qint64>::min()), QString());
        QCOMPARE(randomString(1).size(), 1);
        static const QRegularExpression alphabet(QStringLiteral("^[0-9a-z]*$"));
        QVERIFY(alphabet.match(randomString(16)).hasMatch());
        // Roughly even over 100,000 characters: each of 36 expected 2,778 times.
        const QString many = randomString(100000);
        QVERIFY(alphabet.match(many).hasMatch());
        QHash<QChar, int> counts;
        for (QChar c : many)
            ++counts[c];
        QCOMPARE(counts.size(), 36);
        for (auto it = counts.begin(); it != counts.end(); ++it)
            QVERIFY2(it.value() > 2400 && it.value() < 3200, qPrintable(QString(it.key())));
        QVERIFY(randomString(32) != randomString(32));
    }

    void uuids() {
        static const QRegularExpression shape(
            QStringLiteral("^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$"));
        const QString a = makeUUID();
        const QString b = makeUUID();
        QVERIFY2(shape.match(a).hasMatch(), qPrintable(a));
        QVERIFY(shape.match(b).hasMatch());
        QVERIFY(a != b);
    }
};

TWK_TEST_MAIN_WITH_SANDBOX(TestGeneration)
#include "test_generation.moc"

// Counted and timed gates, with time moved by the test: forward, back, across midnight and
// across a daylight-saving change in the user's time zone (New York here).

#include "support/defaults/Clock.h"
#include "support/defaults/CountedActions.h"
#include "support/defaults/Shortcuts.h"
#include "support/defaults/UserDefaults.h"
#include "tests/common/TestSandbox.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <cstdlib>
#include <ctime>

using namespace twk::defaults;

namespace {

QDateTime now;

QDateTime at(const char* localTime) {
    return QDateTime::fromString(QLatin1String(localTime), Qt::ISODate); // local time
}

} // namespace

class TestCountedActions : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<UserDefaults> store_;

    void reopenStore() {
        store_.reset();
        store_ = std::make_unique<UserDefaults>(dir_.filePath(QStringLiteral("store.conf")));
    }

private Q_SLOTS:
    void initTestCase() {
        setClockForTesting([] { return now; });
        reopenStore();
    }
    void init() {
        now = at("2026-03-07T12:00:00");
        for (const QString& key : store_->allKeys())
            store_->removeObjectForKey(key);
        resetAllValues();
    }

    void doOnceAnswersOnce() {
        QVERIFY(doOnce(*store_, QStringLiteral("tip")));
        QCOMPARE(store_->objectForKey(QStringLiteral("QZ_Oncetip"))->toString(),
                 QStringLiteral("1"));
        QVERIFY(!doOnce(*store_, QStringLiteral("tip")));
        QVERIFY(doOnce(*store_, QStringLiteral("Tip"))); // keys are case-sensitive
        store_->setInteger(0, QStringLiteral("QZ_Onceother"));
        QVERIFY(!doOnce(*store_, QStringLiteral("other"))); // anything there counts
    }

    void doThisCountsEveryCall_data() {
        QTest::addColumn<qint64>("n");
        QTest::addColumn<QList<bool>>("answers");
        QTest::newRow("three") << qint64(3) << QList<bool>{true, true, true, false, false};
        QTest::newRow("zero") << qint64(0) << QList<bool>{false, false, false};
        QTest::newRow("negative") << qint64(-2) << QList<bool>{false, false};
    }
    void doThisCountsEveryCall() {
        QFETCH(qint64, n);
        QFETCH(QList<bool>, answers);
        for (int i = 0; i < answers.size(); ++i) {
            QCOMPARE(doThis(*store_, QStringLiteral("x"), n), answers[i]);
            QCOMPARE(store_->integerForKey(QStringLiteral("QZ_doThisNTimesx")), i + 1);
        }
    }

    void doThisMinusOneResets() {
        for (int i = 0; i < 4; ++i)
            doThis(*store_, QStringLiteral("x"), 3);
        QVERIFY(!doThis(*store_, QStringLiteral("x"), -1));
        QVERIFY(!store_->objectForKey(QStringLiteral("QZ_doThisNTimesx")));
        QVERIFY(doThis(*store_, QStringLiteral("x"), 3));
    }

    void afterFiresOnceAndStaysFired() {
        QVERIFY(!after(*store_, 3, QStringLiteral("rate")));
        QCOMPARE(store_->integerForKey(QStringLiteral("QZ_Timesrate")), 1);
        QVERIFY(!after(*store_, 3, QStringLiteral("rate")));
        QVERIFY(after(*store_, 3, QStringLiteral("rate")));
        QCOMPARE(store_->integerForKey(QStringLiteral("QZ_Timesrate")), -1);
        QVERIFY(!after(*store_, 3, QStringLiteral("rate")));
        QVERIFY(!after(*store_, 0, QStringLiteral("rate"))); // whatever n, it stays fired
        QCOMPARE(store_->integerForKey(QStringLiteral("QZ_Timesrate")), -1);
        QVERIFY(!after(*store_, -1, QStringLiteral("rate")));
        QVERIFY(after(*store_, 1, QStringLiteral("rate")));
    }

    void afterOnlyOnItsOwnCount() {
        QVERIFY(!after(*store_, 0, QStringLiteral("z")));
        QVERIFY(!after(*store_, -5, QStringLiteral("z")));
        QCOMPARE(store_->integerForKey(QStringLiteral("QZ_Timesz")), 2);
        QVERIFY(!after(*store_, 2, QStringLiteral("z"))); // 2 + 1 is not 2
        QVERIFY(after(*store_, 4, QStringLiteral("z")));
    }

    void oneNameThreeStates() {
        QVERIFY(doOnce(*store_, QStringLiteral("n")));
        QVERIFY(doThis(*store_, QStringLiteral("n"), 1));
        QVERIFY(after(*store_, 1, QStringLiteral("n")));
        QCOMPARE(store_->allKeys().size(), 3);
    }

    void incrementStartsAtOne() {
        QCOMPARE(increment(*store_, QStringLiteral("runs")), 1);
        QCOMPARE(increment(*store_, QStringLiteral("runs")), 2);
    }

    void stateSurvivesARestart() {
        doThis(*store_, QStringLiteral("r"), 5);
        after(*store_, 1, QStringLiteral("r"));
        countDaysUsed(*store_, QStringLiteral("r"));
        QVERIFY(store_->synchronize());
        reopenStore();
        QCOMPARE(store_->integerForKey(QStringLiteral("QZ_doThisNTimesr")), 1);
        QVERIFY(!after(*store_, 1, QStringLiteral("r")));
        QCOMPARE(getDaysUsed(*store_, QStringLiteral("r")), 1);
    }

    void forNHours() {
        QVERIFY(forN(24, QStringLiteral("trial")));
        const QDateTime first = objectForKey(QStringLiteral("QZ_Hourstrial"))->toDateTime();
        QCOMPARE(first, now);
        const QDateTime start = now;
        now = start.addSecs(24 * 3600 - 1);
        QVERIFY(forN(24, QStringLiteral("trial")));
        now = start.addSecs(24 * 3600);
        QVERIFY(!forN(24, QStringLiteral("trial")));
        now = start.addSecs(-3600); // the clock set back
        QVERIFY(forN(0, QStringLiteral("trial")));
        QCOMPARE(objectForKey(QStringLiteral("QZ_Hourstrial"))->toDateTime(), first);
    }

    void forNEdgeValues() {
        QVERIFY(forN(0, QStringLiteral("zero")));
        now = now.addMSecs(1);
        QVERIFY(!forN(0, QStringLiteral("zero")));
        QVERIFY(!forN(-1, QStringLiteral("negative")));
        QVERIFY(
            objectForKey(QStringLiteral("QZ_Hoursnegative"))); // the date is stored all the same
        QVERIFY(!forN(std::nanf(""), QStringLiteral("nan")));
        QVERIFY(objectForKey(QStringLiteral("QZ_Hoursnan")));
        QVERIFY(!forN(std::nanf(""), QStringLiteral("nan")));
    }

    void ifNHoursHavePassed() {
        const QDateTime start = now;
        QVERIFY(ifN(24, QStringLiteral("nag")));
        now = start.addSecs(23 * 3600);
        QVERIFY(!ifN(24, QStringLiteral("nag")));
        now = start.addSecs(24 * 3600);
        QVERIFY(!ifN(24, QStringLiteral("nag")));
        now = start.addSecs(24 * 3600 + 1);
        QVERIFY(ifN(24, QStringLiteral("nag")));
        QCOMPARE(objectForKey(QStringLiteral("QZ_HoursSinceEventnag"))->toDateTime(), now);
        now = now.addSecs(23 * 3600);
        QVERIFY(!ifN(24, QStringLiteral("nag")));
    }

    void ifNEdgeValues() {
        QVERIFY(ifN(-1, QStringLiteral("neg")));
        QVERIFY(ifN(-1, QStringLiteral("neg")));
        QVERIFY(ifN(0, QStringLiteral("zero")));
        QVERIFY(!ifN(0, QStringLiteral("zero")));
        now = now.addMSecs(1);
        QVERIFY(ifN(0, QStringLiteral("zero")));
        QVERIFY(ifN(std::nanf(""), QStringLiteral("nan")));
        now = now.addSecs(1000 * 3600);
        QVERIFY(!ifN(std::nanf(""), QStringLiteral("nan")));
        // A stored date in the future: not until N hours after it.
        setObject(now.addSecs(3600), QStringLiteral("QZ_HoursSinceEventfuture"));
        QVERIFY(!ifN(1, QStringLiteral("future")));
        now = now.addSecs(2 * 3600 + 1);
        QVERIFY(ifN(1, QStringLiteral("future")));
    }

    // Single precision, as the gates compare: 1e-4 hours less than N still counts as N.
    void hoursCompareInSinglePrecision() {
        QVERIFY(forN(100000, QStringLiteral("p")));
        now = now.addMSecs(qint64(100000.0 * 3600 * 1000) - 1);
        QVERIFY(!forN(100000, QStringLiteral("p")));
    }

    void countDays() {
        QCOMPARE(getDaysUsed(*store_, QStringLiteral("app")), 0);
        QCOMPARE(countDaysUsed(*store_, QStringLiteral("app")), 1);
        const QVariantMap record = store_->objectForKey(QStringLiteral("QZ_CountDaysapp"))->toMap();
        QCOMPARE(record.value(QStringLiteral("dateKey")).toDateTime(), now);
        QCOMPARE(intForKey(record, QStringLiteral("countKey")), 1);

        QSignalSpy writes(store_.get(), &UserDefaults::valueChanged);
        now = at("2026-03-07T23:59:59");
        QCOMPARE(countDaysUsed(*store_, QStringLiteral("app")), 1);
        QCOMPARE(writes.count(), 0);     // the same day writes nothing
        now = at("2026-03-08T00:00:01"); // past midnight
        QCOMPARE(countDaysUsed(*store_, QStringLiteral("app")), 2);
        now = at("2026-03-08T23:30:00"); // the day clocks went forward: still the same day
        QCOMPARE(countDaysUsed(*store_, QStringLiteral("app")), 2);
        now = at("2026-03-05T10:00:00"); // set back: any other day counts
        QCOMPARE(countDaysUsed(*store_, QStringLiteral("app")), 3);
        QCOMPARE(getDaysUsed(*store_, QStringLiteral("app")), 3);
    }

    // Local days, not UTC days: 20:00 and 23:00 in New York are one day but two in UTC.
    void daysAreLocal() {
        QVERIFY(isSameDayAs(at("2026-11-01T20:00:00"), at("2026-11-01T23:00:00")));
        QVERIFY(!isSameDayAs(at("2026-11-01T23:59:59"), at("2026-11-02T00:00:00")));
        QVERIFY(!isSameDayAs(distantPast(), now));
        // The 25-hour day when daylight saving ends.
        QVERIFY(isSameDayAs(at("2026-11-01T00:30:00"), at("2026-11-01T23:30:00")));
    }

    void recordKeepsOtherEntries() {
        store_->setObject(QVariantMap{{QStringLiteral("dateKey"), now.addDays(-1)},
                                      {QStringLiteral("countKey"), qint64(7)},
                                      {QStringLiteral("extra"), QStringLiteral("kept")}},
                          QStringLiteral("QZ_CountDaysx"));
        QCOMPARE(countDaysUsed(*store_, QStringLiteral("x")), 8);
        const QVariantMap record = store_->objectForKey(QStringLiteral("QZ_CountDaysx"))->toMap();
        QCOMPARE(record.value(QStringLiteral("extra")).toString(), QStringLiteral("kept"));
    }

    void classFormsUseTheStandardStore() {
        QVERIFY(doOnce(QStringLiteral("std")));
        QVERIFY(objectForKey(QStringLiteral("QZ_Oncestd")));
        QVERIFY(!store_->objectForKey(QStringLiteral("QZ_Oncestd")));
        QVERIFY(doThis(QStringLiteral("std"), 1));
        QVERIFY(after(1, QStringLiteral("std")));
    }
};

int main(int argc, char** argv) {
    qputenv("TZ", "America/New_York");
    tzset();
    twk::test::setUpSandbox();
    QCoreApplication app(argc, argv);
    TestCountedActions test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_counted_actions.moc"

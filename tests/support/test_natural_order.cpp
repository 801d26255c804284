// Natural order on realistic file names: numbers by value, case and width ignored, and a
// fixed order for texts that differ only in those.

#include "support/strings/NaturalOrder.h"

#include <QtTest>

#include <algorithm>

using namespace twk::strings;

class TestNaturalOrder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pairs_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("order");
        QTest::newRow("2 before 10") << "Script 2.sh"
                                     << "Script 10.sh" << -1;
        QTest::newRow("identical") << "Script.sh"
                                   << "Script.sh" << 0;
        QTest::newRow("case still ordered") << "script.sh"
                                            << "Script.sh" << -1;
        QTest::newRow("case still ordered, reversed") << "Script.sh"
                                                      << "script.sh" << 1;
        QTest::newRow("case ignored before numbers") << "b 2"
                                                     << "A 10" << 1;
        QTest::newRow("versions") << "v1.9.2"
                                  << "v1.10.0" << -1;
        QTest::newRow("leading zeros by value") << "file02"
                                                << "file3" << -1;
        QTest::newRow("leading zeros tie broken") << "file02"
                                                  << "file2" << -1;
        QTest::newRow("full-width digits") << QString::fromUtf8("file\uff12") << "file10" << -1;
        QTest::newRow("full-width letters tie broken") << QString::fromUtf8("\uff41") << "a" << 1;
        QTest::newRow("empty first") << ""
                                     << "a" << -1;
    }
    void pairs() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, order);
        QCOMPARE(int(naturalOrderCompare(first, second)), order);
        QCOMPARE(int(naturalOrderCompare(second, first)), -order);
    }

    // A total order: sorting a shuffled list always gives the same, sensible list.
    void sortsFileNames() {
        const QStringList expected{
            "Backup 1.txt", "backup 2.txt", "Backup 10.txt",     "Backup 100.txt",
            "notes",        "Notes",        "report-2025-9.pdf", "report-2025-10.pdf"};
        QStringList shuffled = expected;
        std::reverse(shuffled.begin(), shuffled.end());
        std::stable_sort(shuffled.begin(), shuffled.end(), [](const QString& a, const QString& b) {
            return naturalOrderCompare(a, b) < 0;
        });
        QCOMPARE(shuffled, expected);
    }
};

QTEST_GUILESS_MAIN(TestNaturalOrder)
#include "test_natural_order.moc"

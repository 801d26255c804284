// The printf-style formatter: the conversions the program uses, and hostile formats that
// must never read an argument that is not there.

#include "support/strings/Formatter.h"

#include <QtTest>

#include <limits>

using namespace twk::strings;

class TestFormatter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void conversions_data() {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text") << format(u"Script '%@' - not found", QStringLiteral("a b"))
                              << "Script 'a b' - not found";
        QTest::newRow("zero padded") << format(u"%02ld:%02ld", qint64(5), qint64(7)) << "05:07";
        QTest::newRow("zero pad after minus") << format(u"%02ld", qint64(-5)) << "-5";
        QTest::newRow("wide zero pad after minus") << format(u"%04ld", qint64(-5)) << "-005";
        QTest::newRow("most negative")
            << format(u"%ld", std::numeric_limits<qint64>::min()) << "-9223372036854775808";
        QTest::newRow("%d truncates to 32 bits") << format(u"%d", qint64(0x100000001LL)) << "1";
        QTest::newRow("unsigned") << format(u"%lu", std::numeric_limits<quint64>::max())
                                  << "18446744073709551615";
        QTest::newRow("hex") << format(u"%x %X %#x", 255, 255, 255) << "ff FF 0xff";
        QTest::newRow("character") << format(u"%d - %C", 1, QChar(u'b')) << "1 - b";
        QTest::newRow("percent") << format(u"100%%") << "100%";
        QTest::newRow("left aligned") << format(u"[%-4@]", QStringLiteral("ab")) << "[ab  ]";
        QTest::newRow("number as text") << format(u"%@", 42) << "42";
        QTest::newRow("float") << format(u"%.2f", 1.005 + 0.001) << "1.01";
    }
    void conversions() {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }

    // A conversion without an argument, or of a kind the argument does not have, is shown
    // as written; nothing else is read.
    void hostileFormats_data() {
        QTest::addColumn<QString>("fmt");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no arguments") << "%@ %d %s %n %x"
                                      << "%@ %d %s %n %x";
        QTest::newRow("unknown conversion") << "%n%k"
                                            << "%n%k";
        QTest::newRow("star width") << "%*d"
                                    << "%*d";
        QTest::newRow("positional") << "%1$@"
                                    << "%1$@";
        QTest::newRow("trailing percent") << "50%"
                                          << "50%";
        QTest::newRow("huge width is capped") << "%99999999999d"
                                              << "%99999999999d";
    }
    void hostileFormats() {
        QFETCH(QString, fmt);
        QFETCH(QString, expected);
        QCOMPARE(formatWithArguments(fmt, {}), expected);
    }

    void wrongKindUsesUpItsArgument() {
        // %d given a text: shown as written, and the next conversion gets the next argument.
        QCOMPARE(format(u"%d and %@", QStringLiteral("x"), QStringLiteral("y")), "%d and y");
    }

    void widthsAreBounded() {
        const QString wide = format(u"%999999@", QStringLiteral("x"));
        QCOMPARE(wide.size(), 4096);
    }
};

QTEST_GUILESS_MAIN(TestFormatter)
#include "test_formatter.moc"

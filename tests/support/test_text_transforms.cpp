// Table-driven transforms, affixes, wrapping, the protected split, and the tests and
// values read from a text.

#include "support/strings/TextTests.h"
#include "support/strings/Transforms.h"
#include "tests/common/LogCapture.h"

#include <QtTest>

using namespace twk::strings;

class TestTextTransforms : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void slashEscapes() {
        const QString four = QStringLiteral("\\\"\n\t");
        const QString eight = QStringLiteral("\\\\\\\"\\n\\t");
        QCOMPARE(stringByAddingSlashEscapes(four), eight);
        QCOMPARE(stringByRemovingSlashEscapes(eight), four);
        // Pairs are reduced first, so the backslash they leave joins a following n.
        QCOMPARE(stringByRemovingSlashEscapes(u"\\\\n"), QStringLiteral("\n"));
        QCOMPARE(stringByRemovingSlashEscapes(stringByAddingSlashEscapes(u"a\\nb")),
                 QStringLiteral("a\nb"));
        // Everything else passes through both ways.
        const QString others = QStringLiteral("\r'\x01\\x");
        QCOMPARE(stringByAddingSlashEscapes(others), QStringLiteral("\r'\x01\\\\x"));
        QCOMPARE(stringByRemovingSlashEscapes(others), others);
    }

    void entities() {
        QCOMPARE(stringByReplacingBadCharactersWithEntities(u"1 < 2 & 3 > 2"),
                 QStringLiteral("1 &lt; 2 &amp; 3 &gt; 2"));
        QCOMPARE(stringByReplacingBadCharactersWithEntities(u"&amp;"), QStringLiteral("&amp;amp;"));
        QCOMPARE(stringByReplacingBadCharactersWithEntities(u"\"'"), QStringLiteral("\"'"));
    }

    void affixes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("affix");
        QTest::addColumn<QString>("withoutPrefix");
        QTest::addColumn<QString>("withoutSuffix");
        QTest::newRow("once only") << "not.not.x"
                                   << "not."
                                   << "not.x"
                                   << "not.not.x";
        QTest::newRow("suffix once") << "a.txt.txt"
                                     << ".txt"
                                     << "a.txt.txt"
                                     << "a.txt";
        QTest::newRow("absent") << "abc"
                                << "x"
                                << "abc"
                                << "abc";
        QTest::newRow("empty affix") << "abc"
                                     << ""
                                     << "abc"
                                     << "abc";
        QTest::newRow("whole text") << "abc"
                                    << "abc"
                                    << ""
                                    << "";
        QTest::newRow("longer than text") << "ab"
                                          << "abc"
                                          << "ab"
                                          << "ab";
        QTest::newRow("case matters") << "Not.x"
                                      << "not."
                                      << "Not.x"
                                      << "Not.x";
        QTest::newRow("surrogate pair")
            << QString::fromUtf8("😀x😀") << QString::fromUtf8("😀") << "x😀"
            << "😀x";
    }
    void affixes() {
        QFETCH(QString, text);
        QFETCH(QString, affix);
        QFETCH(QString, withoutPrefix);
        QFETCH(QString, withoutSuffix);
        QCOMPARE(stringByRemovingPrefix(text, affix), withoutPrefix);
        QCOMPARE(stringByRemovingSuffix(text, affix), withoutSuffix);
    }

    void wrapping() {
        QCOMPARE(stringByWrappingWithString(u"x", QStringLiteral("ab")), QStringLiteral("abxab"));
        QCOMPARE(stringByWrappingWithString(u"x", QString()), QStringLiteral("x"));
        QCOMPARE(stringByWrappingWithString(u"x", std::nullopt), QStringLiteral("(null)x(null)"));
    }

    void protectedSplit_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("protector");
        QTest::addColumn<QStringList>("pieces");
        QTest::newRow("protected") << "a,'b,c',d"
                                   << ","
                                   << "'" << QStringList{"a", "'b,c'", "d"};
        QTest::newRow("two stretches") << "a,'b,c','d,e',f"
                                       << ","
                                       << "'" << QStringList{"a", "'b,c'", "'d,e'", "f"};
        QTest::newRow("open to the end") << "a,'b,c"
                                         << ","
                                         << "'" << QStringList{"a", "'b,c"};
        QTest::newRow("empty piece") << "a,,b"
                                     << ","
                                     << "'" << QStringList{"a", "", "b"};
        QTest::newRow("nothing to split") << "abc"
                                          << ","
                                          << "'" << QStringList{"abc"};
        QTest::newRow("empty text") << ""
                                    << ","
                                    << "'" << QStringList{""};
        QTest::newRow("marker splits") << "a###PrOtEcTedSePaRaToR###b"
                                       << ","
                                       << "'" << QStringList{"a", "b"};
        QTest::newRow("long separator") << "a::'b::c'::d"
                                        << "::"
                                        << "'" << QStringList{"a", "'b::c'", "d"};
        QTest::newRow("non-BMP") << QString::fromUtf8("😀,\"😀,😀\",x") << ","
                                 << "\""
                                 << QStringList{QString::fromUtf8("😀"),
                                                QString::fromUtf8("\"😀,😀\""), "x"};
    }
    void protectedSplit() {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(QString, protector);
        QFETCH(QStringList, pieces);
        QCOMPARE(componentsSeparatedByString(text, separator, protector), pieces);
    }

    void unicodeEquality() {
        QVERIFY(isEqualToStringIgnoringUnicodeIssues(u"\u00e9", u"e\u0301"));
        QVERIFY(
            isEqualToStringIgnoringUnicodeIssues(u"\u1e69", u"s\u0323\u0307")); // reordered marks
        QVERIFY(!isEqualToStringIgnoringUnicodeIssues(u"\u00c9", u"e\u0301"));
        QVERIFY(!isEqualToStringIgnoringUnicodeIssues(u"a", std::nullopt));
    }

    void integers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("integer");
        for (const char* yes : {"0", "42", "-7", "9223372036854775807", "-9223372036854775808"})
            QTest::newRow(yes) << QString::fromLatin1(yes) << true;
        for (const char* no : {"", "-0", "+5", "007", "5 ", " 5", "1.0", "9223372036854775808",
                               "-9223372036854775809", "abc", "--1", "\xd9\xa3"})
            QTest::newRow(no) << QString::fromUtf8(no) << false;
    }
    void integers() {
        QFETCH(QString, text);
        QFETCH(bool, integer);
        QCOMPARE(isInteger(text), integer);
    }

    void hexValues_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("value");
        QTest::newRow("ff") << "ff" << qint64(255);
        QTest::newRow("FF") << "FF" << qint64(255);
        QTest::newRow("0x1A") << "0x1A" << qint64(26);
        QTest::newRow("max") << "7fffffff" << qint64(2147483647);
        QTest::newRow("all ones") << "ffffffff" << qint64(-1);
        QTest::newRow("min") << "80000000" << qint64(-2147483648LL);
        QTest::newRow("stops at g") << "1g" << qint64(1);
        QTest::newRow("starts with g") << "g1" << qint64(0);
        QTest::newRow("empty") << "" << qint64(0);
        QTest::newRow("white space") << "  \t1f" << qint64(31);
        QTest::newRow("minus") << "-1" << qint64(-1);
    }
    void hexValues() {
        QFETCH(QString, text);
        QFETCH(qint64, value);
        QCOMPARE(hexValue(text), value);
    }

    void logComponents() {
        twk::test::LogCapture log;
        logStringComponents(u"ab");
        QCOMPARE(log.lines, (QStringList{"string length 2", "0 - a", "1 - b"}));
        log.lines.clear();
        logStringComponents(u"");
        QCOMPARE(log.lines, QStringList{"string length 0"});
        log.lines.clear();
        logStringComponents(QString::fromUtf8("😀%@"));
        QCOMPARE(log.lines.size(), 5); // two code units for the emoji, and %@ is data
        QCOMPARE(log.lines.last(), QStringLiteral("3 - @"));
    }

    void stringValueIsTheReceiver() {
        const QString text = QStringLiteral("same");
        QCOMPARE(stringValue(text), text);
    }
};

QTEST_GUILESS_MAIN(TestTextTransforms)
#include "test_text_transforms.moc"

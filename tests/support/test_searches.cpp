// The searches: absent needles, quote tolerance, and the option bits callers pass.

#include "support/strings/Search.h"
#include "support/strings/Searches.h"

#include <QtTest>

using namespace twk::strings;

Q_DECLARE_METATYPE(twk::strings::Range)

namespace {
const Range NF = Range::notFound();
Range whole(QStringView text) {
    return {0, quint64(text.size())};
}
} // namespace

class TestSearches : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void options_data() {
        QTest::addColumn<QString>("haystack");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<quint64>("options");
        QTest::addColumn<Range>("expected");
        auto row = [](const char* name, const QString& h, const QString& n, quint64 o, Range r) {
            QTest::newRow(name) << h << n << o << r;
        };
        row("plain", "abcabc", "bc", 0, {1, 2});
        row("backwards", "abcabc", "bc", BackwardsSearch, {4, 2});
        row("case", "ABC", "b", 0, NF);
        row("case-insensitive", "ABC", "b", CaseInsensitiveSearch, {1, 1});
        row("anchored hit", "abc", "ab", AnchoredSearch, {0, 2});
        row("anchored miss", "xabc", "ab", AnchoredSearch, NF);
        row("anchored backwards", "abcab", "ab", AnchoredSearch | BackwardsSearch, {3, 2});
        row("empty needle", "abc", "", 0, NF);
        row("regex", "Test", ".*", RegularExpressionSearch, {0, 4});
        row("regex digits", "ab12cd345", "[0-9]+", RegularExpressionSearch | BackwardsSearch,
            {6, 3});
        row("regex anchored", "ab12", "[0-9]+", RegularExpressionSearch | AnchoredSearch, NF);
        row("invalid regex", "a(b", "(", RegularExpressionSearch, NF);
        row("literal dot", "a.b", ".", 0, {1, 1});
        row("precomposed vs decomposed", QString::fromUtf8("caf\u00e9!"),
            QString::fromUtf8("cafe\u0301"), 0, {0, 4});
        row("decomposed vs precomposed", QString::fromUtf8("cafe\u0301!"),
            QString::fromUtf8("caf\u00e9"), 0, {0, 5});
        row("literal keeps code units", QString::fromUtf8("caf\u00e9"),
            QString::fromUtf8("cafe\u0301"), LiteralSearch, NF);
        row("no match inside a letter", QString::fromUtf8("\u00e9"), "e", 0, NF);
        row("no match before its mark", QString::fromUtf8("e\u0301"), "e", 0, NF);
        row("diacritics ignored", QString::fromUtf8("R\u00e9sum\u00e9"), "resume",
            DiacriticInsensitiveSearch | CaseInsensitiveSearch, {0, 6});
        row("diacritics, decomposed range", QString::fromUtf8("xe\u0301y"), "ey",
            DiacriticInsensitiveSearch, {1, 3});
        row("width ignored", QString::fromUtf8("\uff21\uff22\uff23"), "BC", WidthInsensitiveSearch,
            {1, 2});
        row("width not ignored", QString::fromUtf8("\uff21\uff22\uff23"), "BC", 0, NF);
        row("half-width katakana", QString::fromUtf8("\uff76\uff85"),
            QString::fromUtf8("\u30ab\u30ca"), WidthInsensitiveSearch, {0, 2});
        row("surrogate pair", QString::fromUtf8("a😀b😀"), QString::fromUtf8("😀"), BackwardsSearch,
            {4, 2});
        row("surrogate pair folded", QString::fromUtf8("\u00e9😀b"), QString::fromUtf8("😀B"),
            CaseInsensitiveSearch | DiacriticInsensitiveSearch, {1, 3});
        row("NUL backwards", "ab", QString(QChar(0)), BackwardsSearch, NF);
        row("NUL backwards, folded", "ab", QString(QChar(0)),
            BackwardsSearch | WidthInsensitiveSearch, NF);
        row("NUL found backwards", QString(QStringLiteral("a")) + QChar(0) + u'b',
            QString(QChar(0)), BackwardsSearch, {1, 1});
        row("half a pair is no match", QString::fromUtf8("😀"), QString(QChar(0xD83D)), 0, NF);
    }
    void options() {
        QFETCH(QString, haystack);
        QFETCH(QString, needle);
        QFETCH(quint64, options);
        QFETCH(Range, expected);
        QCOMPARE(rangeOfString(haystack, needle, options), expected);
    }

    void rangesStayInsideTheText() {
        QCOMPARE(rangeOfString(u"abcabc", u"a", 0, Range{1, 5}), (Range{3, 1}));
        QCOMPARE(rangeOfString(u"abcabc", u"c", BackwardsSearch, Range{0, 4}), (Range{2, 1}));
        QCOMPARE(rangeOfString(u"abc", u"a", 0, Range{2, 5}), NF);
        QCOMPARE(rangeOfString(u"abc", u"a", 0, Range{4, 0}), NF);
        QCOMPARE(rangeOfString(u"abc", u"a", 0, Range{~0ULL, 2}), NF);
        QCOMPARE(rangeOfString(u"abc", u"a", 0, Range{1, ~0ULL}), NF);
        QCOMPARE(rangeOfString(u"abc", u"c", DiacriticInsensitiveSearch, Range{1, 1}), NF);
    }

    void absentNeedle() {
        QCOMPARE(rangeOfStringAllowingNil(u"abcdefgh", std::nullopt, 0, Range{5, 3}),
                 (Range{5, 0}));
        QCOMPARE(rangeOfStringAllowingNil(u"abcdefgh", QStringView(u""), 0, Range{5, 3}), NF);
        QCOMPARE(rangeOfStringAllowingNil(u"abcdefgh", QStringView(u"g"), 0, Range{5, 3}),
                 (Range{6, 1}));
        QCOMPARE(rangeOfStringAllowingNilMagicQuotes(u"abc", std::nullopt, 0, Range{1, 2}),
                 (Range{1, 0}));
    }

    void magicQuotes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<quint64>("options");
        QTest::addColumn<Range>("expected");
        QTest::newRow("apostrophe first") << "ab'de\"g"
                                          << "\"" << quint64(0) << Range{2, 1};
        QTest::newRow("quote first") << "ab\"de'g"
                                     << "\"" << quint64(0) << Range{2, 1};
        QTest::newRow("apostrophes only") << "a'b'c"
                                          << "\"" << quint64(0) << Range{1, 1};
        QTest::newRow("neither") << "abc"
                                 << "\"" << quint64(0) << NF;
        QTest::newRow("two quotes: plain search") << "a'b''c"
                                                  << "\"\"" << quint64(0) << NF;
        // Backwards each finds its last one (quote 7, apostrophe 5); the smaller still wins.
        QTest::newRow("backwards") << "a'b\"c'd\""
                                   << "\"" << quint64(BackwardsSearch) << Range{5, 1};
        QTest::newRow("backwards, quote last") << "a'b\"c\"d"
                                               << "\"" << quint64(BackwardsSearch) << Range{1, 1};
    }
    void magicQuotes() {
        QFETCH(QString, text);
        QFETCH(QString, needle);
        QFETCH(quint64, options);
        QFETCH(Range, expected);
        QCOMPARE(
            rangeOfStringAllowingNilMagicQuotes(text, QStringView(needle), options, whole(text)),
            expected);
    }

    void substring() {
        QVERIFY(hasSubstring(u"abc", std::nullopt, 0));
        QVERIFY(!hasSubstring(u"abc", QStringView(u""), 0));
        QVERIFY(hasSubstring(u"abc", QStringView(u"B"), CaseInsensitiveSearch));
        QVERIFY(!hasSubstring(u"abc", QStringView(u"B"), 0));
    }

    void regexProbe() { QVERIFY(supportsNSRegularExpressionSearch()); }
};

QTEST_GUILESS_MAIN(TestSearches)
#include "test_searches.moc"

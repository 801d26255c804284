// The string helpers, each table one row per case: attributes and URL texts, the formatter,
// transforms and splits, searches, natural order, durations and dates, random texts, and
// how outside text is shown.

#include "support/environment/BaseDirectories.h"
#include "support/log/SystemLog.h"
#include "support/strings/Formatter.h"
#include "support/strings/Generation.h"
#include "support/strings/MessageAttributes.h"
#include "support/strings/NaturalOrder.h"
#include "support/strings/Pieces.h"
#include "support/strings/Search.h"
#include "support/strings/Searches.h"
#include "support/strings/TextTests.h"
#include "support/strings/Transforms.h"
#include "support/text/DisplayText.h"
#include "tests/common/Testing.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include <ctime>
#include <limits>

using namespace twk;
using namespace twk::strings;
using Map = QMap<QString, QString>;
using Text = std::optional<QString>;
Q_DECLARE_METATYPE(std::optional<Map>)
Q_DECLARE_METATYPE(twk::strings::Range)

namespace {

const Range NF = Range::notFound();
const QString NNBSP = QString(QChar(0x202F));

std::optional<Map> parse(const QString& text, bool lowerKey, bool lowerValue) {
    const auto map = attributesFromMessageWithLowercaseKey(text, lowerKey, lowerValue);
    if (!map)
        return std::nullopt;
    Map sorted;
    for (const auto& [key, value] : *map)
        sorted.insert(key, value);
    return sorted;
}

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

class TestStrings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void attributes_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("lowerKey");
        QTest::addColumn<bool>("lowerValue");
        QTest::addColumn<std::optional<Map>>("expected");
        auto row = [](const char* name, const char* message, std::optional<Map> expected,
                      bool lowerKey = true, bool lowerValue = false) {
            QTest::newRow(name) << u8(message) << lowerKey << lowerValue << expected;
        };
        row("decoded value", "twkscriptinstall://x?script=My%20Script",
            Map{{"script", "My Script"}});
        row("no question mark", "twkscriptinstall://x", std::nullopt);
        row("head plays no part", "a=b&c?x=1", Map{{"x", "1"}});
        row("lone question mark", "a?", Map{{"", ""}});
        row("empty piece", "a?x=1&&y=2", Map{{"x", "1"}, {"", ""}, {"y", "2"}});
        row("second question mark separates", "a?x=1?y=2", Map{{"x", "1"}, {"y", "2"}});
        row("question mark in value", "a?script=b?c", Map{{"script", "b"}, {"c", ""}});
        row("key alone", "a?flag", Map{{"flag", ""}});
        row("two equals skipped", "a?x=1=2&y=3", Map{{"y", "3"}});
        row("only two equals: empty map", "x?a=1=2", Map{});
        row("later key wins", "a?X=1&x=2", Map{{"x", "2"}});
        row("keys kept", "a?X=1&x=2", Map{{"X", "1"}, {"x", "2"}}, false);
        row("value lowercased", "a?x=AbC", Map{{"x", "abc"}}, true, true);
        row("lowercase before unescape", "a?x=%41b", Map{{"x", "Ab"}}, true, true);
        row("plus stays", "a?x=1+2", Map{{"x", "1+2"}});
        row("keys never unescaped", "a?my%20key=v", Map{{"my%20key", "v"}});
        row("empty key", "a?=v", Map{{"", "v"}});
        row("empty value", "a?x=", Map{{"x", ""}});
        row("number sign is data", "a?x=1#top", Map{{"x", "1#top"}});
        row("non-ASCII key", "a?Grüße=Ünï", Map{{"grüße", "Ünï"}});
        row("escaped separators", "a?x=a%26b%3Dc&y=1", Map{{"x", "a&b=c"}, {"y", "1"}});
        row("escaped UTF-8", "a?x=%C3%A9%F0%9F%98%80", Map{{"x", u8("é😀")}});
        row("percent at the end skipped", "a?x=50%&y=1", Map{{"y", "1"}});
        row("one hex digit skipped", "a?x=%4&y=1", Map{{"y", "1"}});
        row("bad hex skipped", "a?x=%zz&y=1", Map{{"y", "1"}});
        row("invalid UTF-8 skipped", "a?x=%C3%28&y=1", Map{{"y", "1"}});
        row("encoded surrogate skipped", "a?x=%ED%A0%80", Map{});
        row("overlong skipped", "a?x=%C0%AF", Map{});
        row("above U+10FFFF skipped", "a?x=%F4%90%80%80", Map{});
        row("encoded slash decoded", "a?script=..%2F.ssh", Map{{"script", "../.ssh"}});
        row("undecodable never overrides", "a?x=1&x=%G0", Map{{"x", "1"}});
        row("hex either case", "a?x=%c3%a9%C3%A9", Map{{"x", u8("éé")}});
    }
    void attributes() {
        QFETCH(QString, message);
        QFETCH(bool, lowerKey);
        QFETCH(bool, lowerValue);
        QFETCH(std::optional<Map>, expected);
        QCOMPARE(parse(message, lowerKey, lowerValue), expected);
    }

    // Anything escaped and put in a message as a value comes back exactly.
    void escaping() {
        QCOMPARE(fullyEscapedStringForUrl(u";/?:@&=+$,"), Text("%3B%2F%3F%3A%40%26%3D%2B%24%2C"));
        QCOMPARE(fullyEscapedStringForUrl(u"azAZ09-_.!~*'()"), Text("azAZ09-_.!~*'()"));
        QCOMPARE(fullyEscapedStringForUrl(u"a b%#é\x7f"), Text("a%20b%25%23%C3%A9%7F"));
        const QChar lone[] = {QChar(u'a'), QChar(char16_t(0xD800))};
        QCOMPARE(fullyEscapedStringForUrl(QStringView(lone, 2)), Text());
        QRandomGenerator random(20261206);
        for (int i = 0; i < 2000; ++i) {
            QString text;
            for (int n = int(random.bounded(30)); n > 0; --n) {
                const char32_t c =
                    random.bounded(2) ? random.bounded(0x20, 0x7f) : random.bounded(0xa0, 0x2ffff);
                if (!QChar::isSurrogate(c))
                    text.append(QString::fromUcs4(&c, 1));
            }
            const auto map = attributesFromMessageWithLowercaseKey(
                QStringLiteral("t://x?a=1&v=") + fullyEscapedStringForUrl(text).value() +
                    QStringLiteral("&b"),
                true, false);
            QCOMPARE(map->value(u"v"), text);
            QCOMPARE(map->size(), 3);
        }
    }

    void pathsAndUrls() {
        QCOMPARE(pathByRemovingParameters(u"a/b?x=1?y"), QStringLiteral("a/b"));
        QCOMPARE(pathByRemovingParameters(u"a/b"), QStringLiteral("a/b"));
        QCOMPARE(pathByRemovingParameters(u"?x"), QString());
        QCOMPARE(urlStringByAppendingPathComponent(u"twkrelaunch://test", u"x"),
                 Text("twkrelaunch://test/x"));
        QCOMPARE(urlStringByAppendingPathComponent(u"s://h/d/", u"/f"), Text("s://h/d/f"));
        QCOMPARE(urlStringByAppendingPathComponent(u"plain", u"x"), Text());
        QCOMPARE(urlStringByAppendingPathComponent(u"a:/b:/c", u"x"), Text());
        QCOMPARE(componentsSeparatedByString(u"", u"&"), QStringList{""});
        QCOMPARE(componentsSeparatedByString(u"&a&&", u"&"), (QStringList{"", "a", "", ""}));
        QCOMPARE(componentsSeparatedByString(u"aaa", u"aa"), (QStringList{"", "a"}));
        QCOMPARE(componentsSeparatedByString(u"a,b", u""), QStringList{"a,b"});
        QCOMPARE(componentsJoinedByString({"a", "", "b"}, u"&"), QStringLiteral("a&&b"));
        QCOMPARE(stringByAppendingPathComponent(u"", u"x"), QStringLiteral("x"));
        QCOMPARE(stringByAppendingPathComponent(u"/a", u""), QStringLiteral("/a"));
        QCOMPARE(stringByAppendingPathComponent(u"/", u"x"), QStringLiteral("/x"));
        QCOMPARE(stringByAppendingPathComponent(u"/a//", u"//x"), QStringLiteral("/a/x"));
        QCOMPARE(lastPathComponent(u"/a/b/"), QStringLiteral("b"));
        QCOMPARE(lastPathComponent(u"/"), QStringLiteral("/"));
        QCOMPARE(lastPathComponent(u"name"), QStringLiteral("name"));
        QCOMPARE(stringByExpandingTildeInPath(u"~/x"),
                 environment::homeFolder() + QStringLiteral("/x"));
        QCOMPARE(stringByExpandingTildeInPath(u"~"), environment::homeFolder());
        QCOMPARE(stringByExpandingTildeInPath(u"~x/y"), QStringLiteral("~x/y"));
        QVERIFY(isValidUtf8("\xf0\x9f\x98\x80", 4));
        QVERIFY(!isValidUtf8("\xf0\x9f\x98", 3));
    }

    void formatter_data() {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        auto row = [](const char* name, const QString& actual, const char* expected) {
            QTest::newRow(name) << actual << u8(expected);
        };
        row("text", format(u"Script '%@' - not found", QStringLiteral("a b")),
            "Script 'a b' - not found");
        row("zero padded", format(u"%02ld:%02ld", qint64(5), qint64(7)), "05:07");
        row("zero pad after minus", format(u"%02ld|%04ld", qint64(-5), qint64(-5)), "-5|-005");
        row("most negative", format(u"%ld", std::numeric_limits<qint64>::min()),
            "-9223372036854775808");
        row("%d takes 32 bits", format(u"%d", qint64(0x100000001LL)), "1");
        row("unsigned", format(u"%lu", std::numeric_limits<quint64>::max()),
            "18446744073709551615");
        row("hex and octal", format(u"%x %X %#x %o", 255, 255, 255, 8), "ff FF 0xff 10");
        row("character", format(u"%d - %C", 1, QChar(u'b')), "1 - b");
        row("percent", format(u"100%%"), "100%");
        row("left aligned", format(u"[%-4@][%4@]", QStringLiteral("ab"), QStringLiteral("cd")),
            "[ab  ][  cd]");
        row("signs", format(u"%+d % d", 5, 5), "+5  5");
        row("number as text", format(u"%@", 42), "42");
        row("float", format(u"%.2f %g", 1.006, 0.5), "1.01 0.5");
        row("no arguments: as written", formatWithArguments(u"%@ %d %s %n %x", {}),
            "%@ %d %s %n %x");
        row("star width", formatWithArguments(u"%*d", {}), "%*d");
        row("positional", formatWithArguments(u"%1$@", {}), "%1$@");
        row("trailing percent", format(u"50%", 1), "50%");
        row("huge width kept", formatWithArguments(u"%99999999999d", {}), "%99999999999d");
        row("wrong kind used up", format(u"%d and %@", QStringLiteral("x"), QStringLiteral("y")),
            "%d and y");
        row("width capped", QString::number(format(u"%999999@", QStringLiteral("x")).size()),
            "4096");
    }
    void formatter() {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }

    // Each row checks an operation and its counterpart.
    void transforms() {
        const QString four = QStringLiteral("\\\"\n\t"), eight = QStringLiteral("\\\\\\\"\\n\\t");
        QCOMPARE(stringByAddingSlashEscapes(four), eight);
        QCOMPARE(stringByRemovingSlashEscapes(eight), four);
        QCOMPARE(stringByRemovingSlashEscapes(u"\\\\n"), QStringLiteral("\n"));
        QCOMPARE(stringByAddingSlashEscapes(u"\r'"), QStringLiteral("\r'"));
        QCOMPARE(stringByReplacingBadCharactersWithEntities(u"1 < 2 & 3 > 2 \"'"),
                 u8("1 &lt; 2 &amp; 3 &gt; 2 \"'"));
        QCOMPARE(stringByReplacingBadCharactersWithEntities(u"&amp;"), QStringLiteral("&amp;amp;"));
        const struct {
            const char *text, *affix, *noPrefix, *noSuffix;
        } affixes[] = {{"not.not.x", "not.", "not.x", "not.not.x"},
                       {"a.txt.txt", ".txt", "a.txt.txt", "a.txt"},
                       {"abc", "", "abc", "abc"},
                       {"abc", "abc", "", ""},
                       {"ab", "abc", "ab", "ab"},
                       {"Not.x", "not.", "Not.x", "Not.x"}};
        for (const auto& a : affixes) {
            QCOMPARE(stringByRemovingPrefix(u8(a.text), u8(a.affix)), u8(a.noPrefix));
            QCOMPARE(stringByRemovingSuffix(u8(a.text), u8(a.affix)), u8(a.noSuffix));
        }
        QCOMPARE(stringByWrappingWithString(u"x", QStringLiteral("ab")), QStringLiteral("abxab"));
        QCOMPARE(stringByWrappingWithString(u"x", QString()), QStringLiteral("x"));
        QCOMPARE(stringByWrappingWithString(u"x", std::nullopt), QStringLiteral("(null)x(null)"));
    }

    void protectedSplit_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QStringList>("pieces");
        auto row = [](const char* text, const char* separator, const QStringList& pieces) {
            QTest::newRow(text) << u8(text) << u8(separator) << pieces;
        };
        row("a,'b,c',d", ",", {"a", "'b,c'", "d"});
        row("a,'b,c','d,e',f", ",", {"a", "'b,c'", "'d,e'", "f"});
        row("a,'b,c", ",", {"a", "'b,c"});
        row("a,,b", ",", {"a", "", "b"});
        row("abc", ",", {"abc"});
        row("", ",", {""});
        row("a###PrOtEcTedSePaRaToR###b", ",", {"a", "b"});
        row("a::'b::c'::d", "::", {"a", "'b::c'", "d"});
        row("😀,'😀,😀',x", ",", {u8("😀"), u8("'😀,😀'"), "x"});
    }
    void protectedSplit() {
        QFETCH(QString, text);
        QFETCH(QString, separator);
        QFETCH(QStringList, pieces);
        QCOMPARE(componentsSeparatedByString(text, separator, u"'"), pieces);
    }

    void textTests() {
        QVERIFY(isEqualToStringIgnoringUnicodeIssues(u"\u00e9", u"e\u0301"));
        QVERIFY(isEqualToStringIgnoringUnicodeIssues(u"\u1e69", u"s\u0323\u0307"));
        QVERIFY(!isEqualToStringIgnoringUnicodeIssues(u"\u00c9", u"e\u0301"));
        QVERIFY(!isEqualToStringIgnoringUnicodeIssues(u"a", std::nullopt));
        for (const char* yes : {"0", "42", "-7", "9223372036854775807", "-9223372036854775808"})
            QVERIFY2(isInteger(u8(yes)), yes);
        for (const char* no : {"", "-", "-0", "+5", "007", "5 ", " 5", "1.0", "9223372036854775808",
                               "-9223372036854775809", "--1", "\xd9\xa3"})
            QVERIFY2(!isInteger(u8(no)), no);
        QCOMPARE(integerValue(u"  -12x"), -12);
        QCOMPARE(integerValue(u"99999999999999999999"), std::numeric_limits<qint64>::max());
        const std::pair<const char*, qint64> hex[] = {{"ff", 255},      {"FF", 255},
                                                      {"0x1A", 26},     {"7fffffff", 2147483647},
                                                      {"ffffffff", -1}, {"80000000", -2147483648LL},
                                                      {"1g", 1},        {"g1", 0},
                                                      {"", 0},          {" \t1f", 31},
                                                      {"-1", -1}};
        for (const auto& [text, value] : hex)
            QCOMPARE(hexValue(u8(text)), value);
        QStringList logged;
        log::setLogSinkForTesting([&](const QString& line) { logged.append(line); });
        logStringComponents(u8("a😀%@"));
        log::setLogSinkForTesting({});
        QCOMPARE(logged, (QStringList{"string length 5", "0 - a", "1 - " + QString(QChar(0xD83D)),
                                      "2 - " + QString(QChar(0xDE00)), "3 - %", "4 - @"}));
    }

    void searches_data() {
        QTest::addColumn<QString>("haystack");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<quint64>("options");
        QTest::addColumn<Range>("range");
        QTest::addColumn<Range>("expected");
        auto row = [](const char* name, const QString& h, const QString& n, quint64 o, Range r,
                      Range in = {0, ~0ULL}) {
            QTest::newRow(name) << h << n << o
                                << (in.length == ~0ULL ? Range{0, quint64(h.size())} : in) << r;
        };
        row("plain", "abcabc", "bc", 0, {1, 2});
        row("backwards", "abcabc", "bc", BackwardsSearch, {4, 2});
        row("case", "ABC", "b", 0, NF);
        row("case-insensitive", "ABC", "b", CaseInsensitiveSearch, {1, 1});
        row("anchored hit", "abc", "ab", AnchoredSearch, {0, 2});
        row("anchored miss", "xabc", "ab", AnchoredSearch, NF);
        row("anchored backwards", "abcab", "ab", AnchoredSearch | BackwardsSearch, {3, 2});
        row("anchored backwards miss", "abcabx", "ab", AnchoredSearch | BackwardsSearch, NF);
        row("empty needle", "abc", "", 0, NF);
        row("regex", "Test", ".*", RegularExpressionSearch, {0, 4});
        row("regex backwards", "ab12cd345", "[0-9]+", RegularExpressionSearch | BackwardsSearch,
            {6, 3});
        row("regex anchored", "ab12", "[0-9]+", RegularExpressionSearch | AnchoredSearch, NF);
        row("regex case-insensitive", "xAB", "ab", RegularExpressionSearch | CaseInsensitiveSearch,
            {1, 2});
        row("invalid regex", "a(b", "(", RegularExpressionSearch, NF);
        row("dot is literal", "a.b", ".", 0, {1, 1});
        row("precomposed finds decomposed", u8("caf\u00e9!"), u8("cafe\u0301"), 0, {0, 4});
        row("decomposed finds precomposed", u8("cafe\u0301!"), u8("caf\u00e9"), 0, {0, 5});
        row("literal keeps code units", u8("caf\u00e9"), u8("cafe\u0301"), LiteralSearch, NF);
        row("no match inside a letter", u8("\u00e9"), "e", 0, NF);
        row("no match before its mark", u8("e\u0301"), "e", 0, NF);
        row("diacritics ignored", u8("R\u00e9sum\u00e9"), "resume",
            DiacriticInsensitiveSearch | CaseInsensitiveSearch, {0, 6});
        row("diacritics, decomposed", u8("xe\u0301y"), "ey", DiacriticInsensitiveSearch, {1, 3});
        row("width ignored", u8("\uff21\uff22\uff23"), "BC", WidthInsensitiveSearch, {1, 2});
        row("width kept", u8("\uff21\uff22\uff23"), "BC", 0, NF);
        row("surrogate pair", u8("a😀b😀"), u8("😀"), BackwardsSearch, {4, 2});
        row("pair folded", u8("\u00e9😀b"), u8("😀B"),
            CaseInsensitiveSearch | DiacriticInsensitiveSearch, {1, 3});
        row("NUL not past the end", "ab", QString(QChar(0)), BackwardsSearch, NF);
        row("NUL found backwards", QStringLiteral("a") + QChar(0) + u'b', QString(QChar(0)),
            BackwardsSearch, {1, 1});
        row("half a pair", u8("😀"), QString(QChar(0xD83D)), 0, NF);
        row("within a range", "abcabc", "a", 0, {3, 1}, {1, 5});
        row("backwards within a range", "abcabc", "c", BackwardsSearch, {2, 1}, {0, 4});
        row("range past the end", "abc", "a", 0, NF, {2, 5});
        row("range starts past the end", "abc", "a", 0, NF, {4, 0});
        row("range overflows", "abc", "a", 0, NF, {1, ~0ULL - 1});
        row("folded within a range", "abc", "c", DiacriticInsensitiveSearch, NF, {1, 1});
    }
    void searches() {
        QFETCH(QString, haystack);
        QFETCH(QString, needle);
        QFETCH(quint64, options);
        QFETCH(Range, range);
        QFETCH(Range, expected);
        QCOMPARE(rangeOfString(haystack, needle, options, range), expected);
        QCOMPARE(rangeOfStringAllowingNil(haystack, QStringView(needle), options, range), expected);
        QCOMPARE(hasSubstring(haystack, QStringView(needle), options),
                 rangeOfString(haystack, needle, options).found());
    }

    void tolerantSearches() {
        QCOMPARE(rangeOfStringAllowingNil(u"abcdefgh", std::nullopt, 0, Range{5, 3}),
                 (Range{5, 0}));
        QCOMPARE(rangeOfStringAllowingNilMagicQuotes(u"abc", std::nullopt, 0, Range{1, 2}),
                 (Range{1, 0}));
        QVERIFY(hasSubstring(u"abc", std::nullopt, 0));
        const struct {
            const char *text, *needle;
            quint64 options;
            Range expected;
        } quotes[] = {{"ab'de\"g", "\"", 0, {2, 1}},
                      {"ab\"de'g", "\"", 0, {2, 1}},
                      {"a'b'c", "\"", 0, {1, 1}},
                      {"abc", "\"", 0, NF},
                      {"a'b''c", "\"\"", 0, NF},
                      {"a'b\"c'd\"", "\"", BackwardsSearch, {5, 1}},
                      {"a'b\"c\"d", "\"", BackwardsSearch, {1, 1}},
                      {"ab'c", "'", 0, {2, 1}}};
        for (const auto& q : quotes) {
            const QString text = u8(q.text);
            QCOMPARE(rangeOfStringAllowingNilMagicQuotes(text, QStringView(u8(q.needle)), q.options,
                                                         Range{0, quint64(text.size())}),
                     q.expected);
        }
        QVERIFY(supportsNSRegularExpressionSearch());
        QCOMPARE(RegularExpressionSearch | BackwardsSearch | AnchoredSearch, 1036u);
        QCOMPARE(DiacriticInsensitiveSearch | WidthInsensitiveSearch | LiteralSearch, 386u);
    }

    void naturalOrder_data() {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("order");
        auto row = [](const char* a, const char* b, int order) {
            QTest::newRow(a) << u8(a) << u8(b) << order;
        };
        row("Script 2.sh", "Script 10.sh", -1);
        row("Script.sh", "Script.sh", 0);
        row("script.sh", "Script.sh", -1);
        row("b 2", "A 10", 1);
        row("v1.9.2", "v1.10.0", -1);
        row("file02", "file3", -1);
        row("file02", "file2", -1);
        row("file\uff12", "file10", -1);
        row("\uff41", "a", 1);
        row("", "a", -1);
    }
    void naturalOrder() {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, order);
        QCOMPARE(int(naturalOrderCompare(first, second)), order);
        QCOMPARE(int(naturalOrderCompare(second, first)), -order);
    }

    void durations_data() {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("clock");
        QTest::addColumn<QString>("letters");
        auto row = [](qint64 s, const char* c, const char* l) {
            QTest::newRow(c) << s << u8(c) << u8(l);
        };
        row(0, "00:00", "00m 00s");
        row(1, "00:01", "00m 01s");
        row(61, "01:01", "01m 01s");
        row(3599, "59:59", "59m 59s");
        row(3600, "1:00:00", "1h 00m 00s");
        row(3661, "1:01:01", "1h 01m 01s");
        row(360000, "100:00:00", "100h 00m 00s");
        row(-1, "-00:01", "00m -1s");
        row(-61, "-01:01", "00m -61s");
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
            QTest::newRow(name) << u8(locale) << u8(zone) << s << d << t << text;
        };
        const qint64 summer = 1751328000; // 2025-07-01 00:00 UTC
        row("none none", "en_US.UTF-8", "UTC", 0, 0, 0, "");
        row("en short", "en_US.UTF-8", "UTC", 0, 1, 1, "1/1/70, 12:00" + NNBSP + "AM");
        row("en medium", "en_US.UTF-8", "UTC", 0, 2, 2, "Jan 1, 1970, 12:00:00" + NNBSP + "AM");
        row("en long date", "en_US.UTF-8", "UTC", 0, 3, 0, "January 1, 1970");
        row("en full", "en_US.UTF-8", "UTC", 0, 4, 4,
            "Thursday, January 1, 1970 at 12:00:00" + NNBSP + "AM Coordinated Universal Time");
        row("en NY summer", "en_US.UTF-8", "America/New_York", summer, 2, 3,
            "Jun 30, 2025, 8:00:00" + NNBSP + "PM EDT");
        row("de long", "de_DE.UTF-8", "UTC", 0, 3, 2, "1. Januar 1970 um 00:00:00");
        row("de NY full date", "de_DE.UTF-8", "America/New_York", 0, 4, 0,
            "Mittwoch, 31. Dezember 1969");
        row("unknown style is none", "de_DE.UTF-8", "UTC", 0, 9, 1, "00:00");
    }
    void dates() {
        QFETCH(QString, locale);
        QFETCH(QString, zone);
        QFETCH(qint64, seconds);
        QFETCH(int, dateStyle);
        QFETCH(int, timeStyle);
        QFETCH(QString, text);
        qputenv("LANG", locale.toLatin1());
        qunsetenv("LC_ALL");
        qputenv("TZ", zone.toLatin1());
        tzset();
        QCOMPARE(dateTimeFromSecsSince1970(seconds, quint64(dateStyle), quint64(timeStyle)), text);
    }

    void dateLocaleInPosixOrder() {
        qputenv("LANG", "en_US.UTF-8");
        qputenv("TZ", "UTC");
        tzset();
        qputenv("LC_TIME", "de_DE.UTF-8");
        QCOMPARE(dateTimeFromSecsSince1970(0, 1, 0), QStringLiteral("01.01.70"));
        qputenv("LC_ALL", "en_US.UTF-8");
        QCOMPARE(dateTimeFromSecsSince1970(0, 1, 0), QStringLiteral("1/1/70"));
        qunsetenv("LC_TIME");
    }

    void generated() {
        const QString home = environment::homeFolder();
        QCOMPARE(userDirectoryOfType(9, 1), Text(home + "/Documents"));
        QCOMPARE(userDirectoryOfType(9), Text(home + "/Documents"));
        QCOMPARE(userDirectoryOfType(13, 1), Text(qEnvironmentVariable("XDG_CACHE_HOME")));
        QCOMPARE(userDirectoryOfType(14), Text(qEnvironmentVariable("XDG_DATA_HOME")));
        QCOMPARE(userDirectoryOfType(1, 8), Text("/usr/share/applications"));
        QCOMPARE(userDirectoryOfType(7, 2), Text("/home"));
        QCOMPARE(userDirectoryOfType(10, 1), Text());
        QCOMPARE(userDirectoryOfType(9, 4), Text());
        QCOMPARE(randomString(0), QString());
        QCOMPARE(randomString(std::numeric_limits<qint64>::min()), QString());
        QCOMPARE(randomString(1).size(), 1);
        static const QRegularExpression alphabet(QStringLiteral("^[0-9a-z]*$"));
        const QString many = randomString(100000);
        QHash<QChar, int> counts;
        for (QChar c : many)
            ++counts[c];
        QVERIFY(alphabet.match(many).hasMatch());
        QCOMPARE(counts.size(), 36);
        for (int count : counts)
            QVERIFY(count > 2400 && count < 3200);
        static const QRegularExpression uuid(
            QStringLiteral("^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}$"));
        const QString a = makeUUID();
        QVERIFY2(uuid.match(a).hasMatch(), qPrintable(a));
        QVERIFY(a != makeUUID());
    }

    // What the user reads of an outside text: every character, none re-ordering the rest.
    void displayText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("visible");
        QTest::addColumn<QString>("markup");
        auto row = [](const char* name, const QString& text, const char* visible,
                      const char* markup) {
            QTest::newRow(name) << text << u8(visible) << u8(markup);
        };
        row("plain", "Open Recent.sh", "Open Recent.sh", "Open Recent.sh");
        row("markup", "<a href=\"x\">y</a>&amp;", "<a href=\"x\">y</a>&amp;",
            "&lt;a href=&quot;x&quot;&gt;y&lt;/a&gt;&amp;amp;");
        row("right-to-left override", u8("invoice\u202Ehs.txt"), "invoice\\u202Ehs.txt",
            "invoice\\u202Ehs.txt");
        row("isolates and marks", u8("a\u2066\u2069\u200E\u200F\u061Cb"),
            "a\\u2066\\u2069\\u200E\\u200F\\u061Cb", "a\\u2066\\u2069\\u200E\\u200F\\u061Cb");
        row("zero width", u8("a\u200B\u200D\uFEFFb"), "a\\u200B\\u200D\\uFEFFb",
            "a\\u200B\\u200D\\uFEFFb");
        row("terminal escape", "a\x1b[31mb\x07", "a\\u001B[31mb\\u0007", "a\\u001B[31mb\\u0007");
        row("line breaks", u8("a\nb\u2028c"), "a\\u000Ab\\u2028c", "a\\u000Ab\\u2028c");
        row("beyond the first plane", u8("a\U000E0001b😀"), "a\\U000E0001b😀", "a\\U000E0001b😀");
        row("right-to-left letters stay", u8("שלום"), "שלום", "שלום");
    }
    void displayText() {
        QFETCH(QString, text);
        QFETCH(QString, visible);
        QFETCH(QString, markup);
        QCOMPARE(text::visibleText(text), visible);
        QCOMPARE(text::markupSafeText(text), markup);
        // Line feeds and tabs stay themselves in lines of text, nothing else does.
        QCOMPARE(text::visibleLines(text + QStringLiteral("\n\tx")),
                 QString(visible).replace(QStringLiteral("\\u000A"), QStringLiteral("\n")) +
                     QStringLiteral("\n\tx"));
    }
};

TWK_TEST_MAIN(TestStrings)
#include "test_strings.moc"

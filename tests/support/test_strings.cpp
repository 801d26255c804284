// The string helpers, each table one row per case: attributes and URL texts, the formatter,
// transforms and splits, searches, natural order, durations and dates, random texts, and
// how outside text is shown.

#include "support/environment/BaseDirectories.h"
#include "support/log/SystemLog.h"
#include "support/strings/DateText.h"
#include "support/strings/Durations.h"
#include "support/strings/Formatter.h"
#include "support/strings/MessageAttributes.h"
#include "support/strings/NaturalOrder.h"
#include "support/strings/Pieces.h"
#include "support/strings/RandomText.h"
#include "support/strings/RangeSearch.h"
#include "support/strings/TextDump.h"
#include "support/strings/TextValues.h"
#include "support/strings/TolerantSearch.h"
#include "support/strings/Transforms.h"
#include "support/strings/UserDirectories.h"
#include "support/text/Conversions.h"
#include "support/text/DisplayText.h"
#include "tests/common/Testing.h"

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

std::optional<Map> parse(const QString& text, bool lowerKey, bool lowerValue) {
    const auto map = attributesFromMessageWithLowercaseKey(text, lowerKey, lowerValue);
    if (!map)
        return std::nullopt;
    Map sorted;
    for (const auto& [key, value] : *map)
        sorted.insert(key, map->contains(key) ? value : QStringLiteral("(not contained)"));
    return sorted;
}

QString u8(const char* text) {
    return text::fromNativeBytes(text);
}

// naturalOrderCompare both ways round: the second must be the first negated.
qint64 order(const char* first, const char* second) {
    const int forward = naturalOrderCompare(u8(first), u8(second));
    return forward == -naturalOrderCompare(u8(second), u8(first)) ? forward : 99;
}

// A date written in a locale and time zone (LANG, or LC_TIME over it).
QString dated(const char* lang, const char* zone, qint64 seconds, quint64 dateStyle,
              quint64 timeStyle, const char* time = nullptr) {
    qputenv("LANG", lang);
    qunsetenv("LC_ALL");
    time ? qputenv("LC_TIME", time) : qunsetenv("LC_TIME");
    qputenv("TZ", zone);
    tzset();
    return dateTimeFromSecsSince1970(seconds, dateStyle, timeStyle);
}

// A result as a text (a plain text through the optional one): absent ones, lists and numbers
// written out.
QString show(const std::optional<QString>& text) {
    return text.value_or(QStringLiteral("(absent)"));
}
QString show(const QStringList& list) {
    return list.join(u'|');
}
QString show(qint64 number) {
    return QString::number(number);
}
// Each duration in both forms: "clock letters|...".
QString durations(std::initializer_list<qint64> list) {
    QStringList texts;
    for (qint64 seconds : list)
        texts.append(timeStringFromSecs(seconds) + u' ' + timeStringFromSecsWithLetters(seconds));
    return texts.join(u'|');
}
// Splits on commas outside single quotes, each split written "a|b", joined by " / ".
QString quotedSplits(std::initializer_list<const char16_t*> list) {
    QStringList texts;
    for (const char16_t* text : list)
        texts.append(componentsSeparatedByString(QString::fromUtf16(text), u",", u"'").join(u'|'));
    return texts.join(QStringLiteral(" / "));
}
QString numbers(std::initializer_list<qint64> list) {
    QStringList texts;
    for (qint64 number : list)
        texts.append(show(number));
    return texts.join(u' ');
}

} // namespace

class TestStrings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void attributes_data() {
        // clang-format off
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("lowerKey");
        QTest::addColumn<bool>("lowerValue");
        QTest::addColumn<std::optional<Map>>("expected");
        auto row = [](const char* name, const char* message, std::optional<Map> expected, bool lowerKey = true, bool lowerValue = false) {
            QTest::newRow(name) << u8(message) << lowerKey << lowerValue << expected;
        };
        row("decoded value", "twkscriptinstall://x?script=My%20Script", Map{{"script", "My Script"}});
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
        QString many = QStringLiteral("a?");
        Map manyKeys;
        for (int i = 0; i < 18; ++i) { many += QStringLiteral("k%1=%1&").arg(i); manyKeys.insert(QStringLiteral("k%1").arg(i), QString::number(i)); }
        manyKeys.insert("k16", "x");
        QTest::newRow("a key again, past sixteen") << many + "k16=x" << true << false << std::optional<Map>(manyKeys);
        row("hex either case", "a?x=%c3%a9%C3%A9", Map{{"x", u8("éé")}});
        // clang-format on
    }
    void attributes() {
        QFETCH(QString, message);
        QFETCH(bool, lowerKey);
        QFETCH(bool, lowerValue);
        QFETCH(std::optional<Map>, expected);
        QCOMPARE(parse(message, lowerKey, lowerValue), expected);
    }

    // Every operation that answers a text, one row each; numbers and lists as their text.
    void texts_data() {
        // clang-format off
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
#define T(actual, expected) QTest::newRow(#actual) << show(actual) << u8(expected)
        T(fullyEscapedStringForUrl(u";/?:@&=+$,"), "%3B%2F%3F%3A%40%26%3D%2B%24%2C");
        T(fullyEscapedStringForUrl(u"azAZ09-_.!~*'()"), "azAZ09-_.!~*'()");
        T(fullyEscapedStringForUrl(u"a b%#é\x7f"), "a%20b%25%23%C3%A9%7F");
        T(fullyEscapedStringForUrl(QString(QChar(0xD800))), "(absent)");
        T((QStringList{pathByRemovingParameters(u"a/b?x=1?y"), pathByRemovingParameters(u"a/b"), pathByRemovingParameters(u"?x")}), "a/b|a/b|");
        T(urlStringByAppendingPathComponent(u"twkrelaunch://test", u"x"), "twkrelaunch://test/x");
        T(urlStringByAppendingPathComponent(u"s://h/d/", u"/f"), "s://h/d/f");
        T(urlStringByAppendingPathComponent(u"plain", u"x"), "(absent)");
        T(urlStringByAppendingPathComponent(u"a:/b:/c", u"x"), "(absent)");
        T(componentsSeparatedByString(u"", u"&"), "");
        T(componentsSeparatedByString(u"&a&&", u"&"), "|a||");
        T(componentsSeparatedByString(u"aaa", u"aa"), "|a");
        T(componentsSeparatedByString(u"a,b", u""), "a,b");
        T(componentsJoinedByString({"a", "", "b"}, u"&"), "a&&b");
        T((QStringList{stringByAppendingPathComponent(u"", u"x"), stringByAppendingPathComponent(u"/a", u""), stringByAppendingPathComponent(u"/", u"x"), stringByAppendingPathComponent(u"/a//", u"//x")}), "x|/a|/x|/a/x");
        T((QStringList{lastPathComponent(u"/a/b/"), lastPathComponent(u"/"), lastPathComponent(u"name")}), "b|/|name");
        T((QStringList{stringByExpandingTildeInPath(u"~/x"), stringByExpandingTildeInPath(u"~"), stringByExpandingTildeInPath(u"~x/y")}), "HOME/x|HOME|~x/y");
        T(stringByReplacingPercentEscapes(u"a%2fb%2F%C3%A9"), "a/b/é");
        T(stringByReplacingPercentEscapes(u"%e9"), "(absent)");
        T(stringByReplacingPercentEscapes(u"%EF%BB%BFa%20b"), "\uFEFFa b"); // the mark stays
        T(stringByReplacingPercentEscapes(u"%F0%9F%98%80|%ED%A0%80"), "(absent)"); // a surrogate
        T(stringByReplacingPercentEscapes(u"%C3é"), "(absent)"); // a lead byte left alone
        T(format(u"Script '%@' - not found", QStringLiteral("a b")), "Script 'a b' - not found");
        T(format(u"%02ld:%02ld", qint64(5), qint64(7)), "05:07");
        T(format(u"%02ld|%04ld", qint64(-5), qint64(-5)), "-5|-005");
        T(format(u"%ld", std::numeric_limits<qint64>::min()), "-9223372036854775808");
        T(format(u"%d", qint64(0x100000001LL)), "1");
        T(format(u"%lu", std::numeric_limits<quint64>::max()), "18446744073709551615");
        T(format(u"%x %X %#x %o|%.0x|%u|%#08x", 255, 255, 255, 8, 0, 0, 255), "ff FF 0xff 10||0|0x0000ff");
        T(format(u"%d - %C 100%%", 1, QChar(u'b')), "1 - b 100%");
        T(format(u"[%-4@][%4@]", QStringLiteral("ab"), QStringLiteral("cd")), "[ab  ][  cd]");
        T(format(u"%+d % d %@", 5, 5, 42), "+5  5 42");
        T(format(u"%.2f %g %.0f", 1.006, 0.5, 2.7), "1.01 0.5 3");
        T(formatWithArguments(u"%@ %d %s %n %x %*d %1$@", {}), "%@ %d %s %n %x %*d %1$@");
        T(format(u"50%", 1), "50%");
        T(formatWithArguments(u"%99999999999d", {}), "%99999999999d");
        T(format(u"%d and %@", QStringLiteral("x"), QStringLiteral("y")), "%d and y");
        T(format(u"%999999@", QStringLiteral("x")).size(), "4096");
        T(stringByAddingSlashEscapes(u"\\\"\n\t\r'"), "\\\\\\\"\\n\\t\r'");
        T(stringByRemovingSlashEscapes(u"\\\\\\\"\\n\\t"), "\\\"\n\t");
        T(stringByRemovingSlashEscapes(u"\\\\n"), "\n");
        T(stringByReplacingBadCharactersWithEntities(u"1 < 2 & 3 > 2 \"'"), "1 &lt; 2 &amp; 3 &gt; 2 \"'");
        T(stringByReplacingBadCharactersWithEntities(u"&amp;"), "&amp;amp;");
        T((QStringList{stringByRemovingPrefix(u"not.not.x", u"not."), stringByRemovingPrefix(u"a.txt", u".txt"), stringByRemovingPrefix(u"abc", u""), stringByRemovingPrefix(u"abc", u"abc"), stringByRemovingPrefix(u"ab", u"abc"), stringByRemovingPrefix(u"Not.x", u"not.")}), "not.x|a.txt|abc||ab|Not.x");
        T((QStringList{stringByRemovingSuffix(u"not.not.x", u"not."), stringByRemovingSuffix(u"a.txt.txt", u".txt"), stringByRemovingSuffix(u"abc", u""), stringByRemovingSuffix(u"abc", u"abc"), stringByRemovingSuffix(u"ab", u"abc")}), "not.not.x|a.txt|abc||ab");
        T((QStringList{stringByWrappingWithString(u"x", QStringLiteral("ab")), stringByWrappingWithString(u"x", QString()), stringByWrappingWithString(u"x", std::nullopt)}), "abxab|x|(null)x(null)");
        T(quotedSplits({u"a,'b,c',d", u"a,'b,c','d,e',f", u"a,'b,c", u"a,,b", u"", u"a###PrOtEcTedSePaRaToR###b", u"😀,'😀,😀',x"}), "a|'b,c'|d / a|'b,c'|'d,e'|f / a|'b,c / a||b /  / a|b / 😀|'😀,😀'|x");
        T(componentsSeparatedByString(u"a::'b::c'::d", u"::", u"'"), "a|'b::c'|d");
        T(numbers({isEqualToStringIgnoringUnicodeIssues(u"\u00e9", u"e\u0301"), isEqualToStringIgnoringUnicodeIssues(u"\u1e69", u"s\u0323\u0307"), isEqualToStringIgnoringUnicodeIssues(u"\u00c9", u"e\u0301"), isEqualToStringIgnoringUnicodeIssues(u"a", std::nullopt)}), "1 1 0 0");
        T(numbers({isInteger(u"0"), isInteger(u"42"), isInteger(u"-7"), isInteger(u"9223372036854775807"), isInteger(u"-9223372036854775808")}), "1 1 1 1 1");
        T(numbers({isInteger(u""), isInteger(u"-"), isInteger(u"-0"), isInteger(u"+5"), isInteger(u"007"), isInteger(u"5 "), isInteger(u" 5"), isInteger(u"1.0"), isInteger(u"9223372036854775808"), isInteger(u"-9223372036854775809"), isInteger(u"--1"), isInteger(u"\u0663")}), "0 0 0 0 0 0 0 0 0 0 0 0");
        T(numbers({integerValue(u"  -12x"), integerValue(u"99999999999999999999")}), "-12 9223372036854775807");
        T(numbers({hexValue(u"ff"), hexValue(u"FF"), hexValue(u"0x1A"), hexValue(u"7fffffff"), hexValue(u"ffffffff"), hexValue(u"80000000")}), "255 255 26 2147483647 -1 -2147483648");
        T(numbers({hexValue(u"1g"), hexValue(u"g1"), hexValue(u""), hexValue(u" \t1f"), hexValue(u"-1")}), "1 0 0 31 -1");
        T(durations({0, 61, 3599, 3600, 3661, 360000}), "00:00 00m 00s|01:01 01m 01s|59:59 59m 59s|1:00:00 1h 00m 00s|1:01:01 1h 01m 01s|100:00:00 100h 00m 00s");
        T(durations({-1, -61, -3661}), "-00:01 00m -1s|-01:01 00m -61s|-1:01:01 00m -3661s");
        T(timeStringFromSecs(std::numeric_limits<qint64>::max()), "2562047788015215:30:07");
        T(timeStringFromSecsWithLetters(std::numeric_limits<qint64>::max()), "2562047788015215h 30m 07s");
        T(timeStringFromSecs(std::numeric_limits<qint64>::min()), "-2562047788015215:30:08");
        T(timeStringFromSecsWithLetters(std::numeric_limits<qint64>::min()), "00m -9223372036854775808s");
        T((QStringList{show(userDirectoryOfType(9, 1)), show(userDirectoryOfType(9)), show(userDirectoryOfType(1, 8)), show(userDirectoryOfType(7, 2)), show(userDirectoryOfType(10, 1)), show(userDirectoryOfType(9, 4))}), "HOME/Documents|HOME/Documents|/usr/share/applications|/home|(absent)|(absent)");
        T(randomString(0) + randomString(std::numeric_limits<qint64>::min()), "");
        T(randomString(1).size(), "1");
        T(numbers({order("Script 2.sh", "Script 10.sh"), order("Script.sh", "Script.sh"), order("script.sh", "Script.sh"), order("b 2", "A 10"), order("v1.9.2", "v1.10.0"), order("A02b", "a2B")}), "-1 0 -1 1 -1 1");
        T(numbers({order("file02", "file3"), order("file02", "file2"), order("file\uff12", "file10"), order("\uff41", "a"), order("", "a")}), "-1 -1 -1 1 -1");
        T((QStringList{dated("en_US.UTF-8", "UTC", 0, 0, 0), dated("en_US.UTF-8", "UTC", 0, 1, 1), dated("en_US.UTF-8", "UTC", 0, 2, 2), dated("en_US.UTF-8", "UTC", 0, 3, 0)}), "|1/1/70, 12:00\u202fAM|Jan 1, 1970, 12:00:00\u202fAM|January 1, 1970");
        T(dated("en_US.UTF-8", "UTC", 0, 4, 4), "Thursday, January 1, 1970 at 12:00:00\u202fAM Coordinated Universal Time");
        T(dated("en_US.UTF-8", "America/New_York", 1751328000, 2, 3), "Jun 30, 2025, 8:00:00\u202fPM EDT");
        T((QStringList{dated("de_DE.UTF-8", "UTC", 0, 3, 2), dated("de_DE.UTF-8", "America/New_York", 0, 4, 0), dated("de_DE.UTF-8", "UTC", 0, 9, 1)}), "1. Januar 1970 um 00:00:00|Mittwoch, 31. Dezember 1969|00:00");
        T(dated("en_US.UTF-8", "UTC", 0, 1, 0, "de_DE.UTF-8"), "01.01.70"); // LC_TIME before LANG
#undef T
        // clang-format on
    }
    void texts() {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual,
                 QString(expected).replace(QStringLiteral("HOME"), environment::homeFolder()));
    }

    void logComponents() {
        QStringList logged;
        log::setLogSinkForTesting([&](const QString& line) { logged.append(line); });
        logStringComponents(u8("a😀%@"));
        log::setLogSinkForTesting({});
        QCOMPARE(logged, (QStringList{"string length 5", "0 - a", "1 - " + QString(QChar(0xD83D)),
                                      "2 - " + QString(QChar(0xDE00)), "3 - %", "4 - @"}));
    }

    void searches_data() {
        // clang-format off
        QTest::addColumn<QString>("haystack");
        QTest::addColumn<QString>("needle");
        QTest::addColumn<quint64>("options");
        QTest::addColumn<Range>("range");
        QTest::addColumn<Range>("expected");
        auto row = [](const char* name, const QString& h, const QString& n, quint64 o, Range r, Range in = {0, ~0ULL}) {
            QTest::newRow(name) << h << n << o << (in.length == ~0ULL ? Range{0, quint64(h.size())} : in) << r;
        };
        row("plain", "abcabc", "bc", 0, {1, 2});
        row("backwards", "abcabc", "bc", BackwardsSearch, {4, 2});
        row("backwards, at the start", "abcd", "ab", BackwardsSearch, {0, 2});
        row("case", "ABC", "b", 0, NF);
        row("case-insensitive", "ABC", "b", CaseInsensitiveSearch, {1, 1});
        row("anchored hit", "abc", "ab", AnchoredSearch, {0, 2});
        row("anchored miss", "xabc", "ab", AnchoredSearch, NF);
        row("anchored backwards", "abcab", "ab", AnchoredSearch | BackwardsSearch, {3, 2});
        row("anchored backwards miss", "abcabx", "ab", AnchoredSearch | BackwardsSearch, NF);
        row("empty needle", "abc", "", 0, NF);
        row("regex", "Test", ".*", RegularExpressionSearch, {0, 4});
        row("regex backwards", "ab12cd345", "[0-9]+", RegularExpressionSearch | BackwardsSearch, {6, 3});
        row("regex anchored", "ab12", "[0-9]+", RegularExpressionSearch | AnchoredSearch, NF);
        row("regex case-insensitive", "xAB", "ab", RegularExpressionSearch | CaseInsensitiveSearch, {1, 2});
        row("invalid regex", "a(b", "(", RegularExpressionSearch, NF);
        row("dot is literal", "a.b", ".", 0, {1, 1});
        row("precomposed finds decomposed", u8("caf\u00e9!"), u8("cafe\u0301"), 0, {0, 4});
        row("decomposed finds precomposed", u8("cafe\u0301!"), u8("caf\u00e9"), 0, {0, 5});
        row("literal keeps code units", u8("caf\u00e9"), u8("cafe\u0301"), LiteralSearch, NF);
        row("no match inside a letter", u8("\u00e9"), "e", 0, NF);
        row("no match before its mark", u8("e\u0301"), "e", 0, NF);
        row("diacritics ignored", u8("R\u00e9sum\u00e9"), "resume", DiacriticInsensitiveSearch | CaseInsensitiveSearch, {0, 6});
        row("diacritics, decomposed", u8("xe\u0301y"), "ey", DiacriticInsensitiveSearch, {1, 3});
        row("width ignored", u8("\uff21\uff22\uff23"), "BC", WidthInsensitiveSearch, {1, 2});
        row("width kept", u8("\uff21\uff22\uff23"), "BC", 0, NF);
        row("surrogate pair", u8("a😀b😀"), u8("😀"), BackwardsSearch, {4, 2});
        row("pair folded", u8("\u00e9😀b"), u8("😀B"), CaseInsensitiveSearch | DiacriticInsensitiveSearch, {1, 3});
        row("NUL not past the end", "ab", QString(QChar(0)), BackwardsSearch, NF);
        row("NUL found backwards", QStringLiteral("a") + QChar(0) + u'b', QString(QChar(0)), BackwardsSearch, {1, 1});
        row("half a pair", u8("😀"), QString(QChar(0xD83D)), 0, NF);
        row("within a range", "abcabc", "a", 0, {3, 1}, {1, 5});
        row("backwards within a range", "abcabc", "c", BackwardsSearch, {2, 1}, {0, 4});
        row("range past the end", "abc", "a", 0, NF, {2, 5});
        row("range starts past the end", "abc", "a", 0, NF, {4, 0});
        row("range overflows", "abc", "a", 0, NF, {1, ~0ULL - 1});
        row("folded within a range", "abc", "c", DiacriticInsensitiveSearch, NF, {1, 1});
        // clang-format on
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
        // clang-format off
        const struct { const char *text, *needle; quint64 options; Range expected; } quotes[] = {
            {"ab'de\"g", "\"", 0, {2, 1}}, {"ab\"de'g", "\"", 0, {2, 1}}, {"a'b'c", "\"", 0, {1, 1}}, {"abc", "\"", 0, NF},
            {"a'b''c", "\"\"", 0, NF}, {"a'b\"c'd\"", "\"", BackwardsSearch, {5, 1}}, {"a'b\"c\"d", "\"", BackwardsSearch, {1, 1}}, {"ab'c", "'", 0, {2, 1}}};
        // clang-format on
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

    void generated() {
        QCOMPARE(userDirectoryOfType(13, 1), Text(qEnvironmentVariable("XDG_CACHE_HOME")));
        QCOMPARE(userDirectoryOfType(14), Text(qEnvironmentVariable("XDG_DATA_HOME")));
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

    // What the user reads of an outside text: every character, none re-ordering the rest; as
    // markup, nothing of it read as markup; as lines, its line feeds and tabs kept.
    void displayText() {
        // clang-format off
        const std::pair<const char*, const char*> shown[] = {
            {"Open Recent.sh", "Open Recent.sh"}, {"invoice\u202Ehs.txt", "invoice\\u202Ehs.txt"},
            {"a\u2066\u2069\u200E\u200F\u061Cb", "a\\u2066\\u2069\\u200E\\u200F\\u061Cb"},
            {"a\u200B\u200D\uFEFFb", "a\\u200B\\u200D\\uFEFFb"}, {"a\x1b[31mb\x07", "a\\u001B[31mb\\u0007"},
            {"a\nb\u2028c", "a\\u000Ab\\u2028c"}, {"a\U000E0001b😀", "a\\U000E0001b😀"}, {"שלום", "שלום"},
            {" ~\x1f", " ~\\u001F"}, {"~\x7f", "~\\u007F"}, {"\x7f ~", "\\u007F ~"}};
        // clang-format on
        for (const auto& [text, visible] : shown) {
            QCOMPARE(text::visibleText(u8(text)), u8(visible));
            QCOMPARE(text::visibleLines(u8(text) + "\n\tx"),
                     u8(visible).replace("\\u000A", "\n") + "\n\tx");
        }
        // Bytes as text: nothing dropped, a leading byte order mark included.
        QCOMPARE(text::fromNativeBytes("\xEF\xBB\xBFname\xFF"), u"\uFEFFname\uFFFD");
        // A name read the same whether or not a mark comes first, however broken its bytes.
        for (const QByteArray& bytes : {QByteArray("a\xEF\xBB\xBF\xEF\xBB"), QByteArray("\xC0\x80"),
                                        QByteArray("\xED\xA0\x80|\xF4\x90\x80\x80|\xE2\x82")})
            QCOMPARE(text::fromNativeBytes("\xEF\xBB\xBF" + bytes),
                     QChar(0xFEFF) + text::fromNativeBytes(bytes));
        QCOMPARE(text::decodeUtf8("\xEF\xBB\xBFx").value_or("(absent)"), u"\uFEFFx");
        QVERIFY(!text::decodeUtf8("\xC0\x80") && !text::decodeUtf8("\xF4\x90\x80\x80"));
        QCOMPARE(text::markupSafeText(u"<a href=\"x\">y</a>&amp;\u202E"),
                 u"&lt;a href=&quot;x&quot;&gt;y&lt;/a&gt;&amp;amp;\\u202E");
    }
};

TWK_TEST_MAIN(TestStrings)
#include "test_strings.moc"

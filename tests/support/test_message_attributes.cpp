// Message attributes, percent-escaping and URL joining, as install requests use them.

#include "support/strings/MessageAttributes.h"
#include "support/strings/Pieces.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace twk::strings;

using Map = QMap<QString, QString>;
Q_DECLARE_METATYPE(std::optional<Map>)

namespace {

std::optional<Map> parse(const QString& text, bool lowercaseKey = true,
                         bool lowercaseValue = false) {
    const auto map = attributesFromMessageWithLowercaseKey(text, lowercaseKey, lowercaseValue);
    if (!map)
        return std::nullopt;
    Map sorted;
    for (const auto& [key, value] : *map)
        sorted.insert(key, value);
    return sorted;
}

QString randomText(QRandomGenerator& random, int length) {
    QString text;
    while (text.size() < length) {
        const quint32 kind = random.bounded(10);
        if (kind < 5) {
            text.append(QChar(char16_t(random.bounded(0x20, 0x7f)))); // ASCII, reserved ones too
        } else if (kind < 8) {
            char16_t c;
            do
                c = char16_t(random.bounded(0x80, 0x10000));
            while (QChar::isSurrogate(c));
            text.append(QChar(c));
        } else {
            const char32_t cp = random.bounded(0x10000, 0x110000);
            text.append(QString::fromUcs4(&cp, 1)); // a surrogate pair
        }
    }
    return text;
}

} // namespace

class TestMessageAttributes : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void parser_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("lowercaseKey");
        QTest::addColumn<bool>("lowercaseValue");
        QTest::addColumn<std::optional<Map>>("expected");
        auto row = [](const char* name, const QString& message, std::optional<Map> expected,
                      bool lowerKey = true, bool lowerValue = false) {
            QTest::newRow(name) << message << lowerKey << lowerValue << expected;
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
        row("later key wins", "a?X=1&x=2", Map{{"x", "2"}});
        row("keys kept", "a?X=1&x=2", Map{{"X", "1"}, {"x", "2"}}, false);
        row("value lowercased", "a?x=AbC", Map{{"x", "abc"}}, true, true);
        row("lowercase before unescape", "a?x=%41b", Map{{"x", "Ab"}}, true, true);
        row("plus stays", "a?x=1+2", Map{{"x", "1+2"}});
        row("keys never unescaped", "a?my%20key=v", Map{{"my%20key", "v"}});
        row("empty key", "a?=v", Map{{"", "v"}});
        row("empty value", "a?x=", Map{{"x", ""}});
        row("number sign is data", "a?x=1#top", Map{{"x", "1#top"}});
        row("only a question mark", "?", Map{{"", ""}});
        row("non-ASCII key and value", "a?Grüße=Ünïcödé", Map{{"grüße", "Ünïcödé"}});
        row("escaped ampersand and equals", "a?x=a%26b%3Dc&y=1", Map{{"x", "a&b=c"}, {"y", "1"}});
        row("escaped UTF-8", "a?x=%C3%A9%F0%9F%98%80", Map{{"x", QString::fromUtf8("é😀")}});
        row("percent at the end skipped", "a?x=50%&y=1", Map{{"y", "1"}});
        row("percent and one digit skipped", "a?x=%4&y=1", Map{{"y", "1"}});
        row("bad hex skipped", "a?x=%zz&y=1", Map{{"y", "1"}});
        row("invalid UTF-8 skipped", "a?x=%C3%28&y=1", Map{{"y", "1"}});
        row("encoded surrogate skipped", "a?x=%ED%A0%80", Map{});
        row("overlong skipped", "a?x=%C0%AF", Map{});
        row("encoded NUL kept", "a?x=a%00b",
            Map{{"x", QString(QStringLiteral("a")) + QChar(0) + u'b'}});
        row("encoded slash decoded", "a?script=..%2F..%2F.ssh", Map{{"script", "../../.ssh"}});
        row("undecodable value never overrides", "a?x=1&x=%G0", Map{{"x", "1"}});
    }
    void parser() {
        QFETCH(QString, message);
        QFETCH(bool, lowercaseKey);
        QFETCH(bool, lowercaseValue);
        QFETCH(std::optional<Map>, expected);
        QCOMPARE(parse(message, lowercaseKey, lowercaseValue), expected);
    }

    void absentDiffersFromEmpty() {
        QVERIFY(!attributesFromMessageWithLowercaseKey(u"x", true, false).has_value());
        const auto empty = attributesFromMessageWithLowercaseKey(u"x?a=1=2", true, false);
        QVERIFY(empty.has_value());
        QVERIFY(empty->isEmpty());
    }

    void head_data() {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("head");
        QTest::newRow("path") << "a/b?x=1"
                              << "a/b";
        QTest::newRow("no question mark") << "a/b"
                                          << "a/b";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("leading question mark") << "?x"
                                               << "";
    }
    void head() {
        QFETCH(QString, message);
        QFETCH(QString, head);
        QCOMPARE(pathByRemovingParameters(message), head);
    }

    void escaping() {
        QCOMPARE(fullyEscapedStringForUrl(u";/?:@&=+$,"),
                 QStringLiteral("%3B%2F%3F%3A%40%26%3D%2B%24%2C"));
        QCOMPARE(fullyEscapedStringForUrl(u"Abc123"), QStringLiteral("Abc123"));
        QCOMPARE(fullyEscapedStringForUrl(u"-_.!~*'()"), QStringLiteral("-_.!~*'()"));
        QCOMPARE(fullyEscapedStringForUrl(u"a b%#é"), QStringLiteral("a%20b%25%23%C3%A9"));
        QCOMPARE(fullyEscapedStringForUrl(u""), QString());
        const QChar lone[] = {QChar(u'a'), QChar(char16_t(0xD800)), QChar(u'b')};
        QVERIFY(!fullyEscapedStringForUrl(QStringView(lone, 3)).has_value());
        const QChar lowFirst[] = {QChar(char16_t(0xDC00)), QChar(char16_t(0xD800))};
        QVERIFY(!fullyEscapedStringForUrl(QStringView(lowFirst, 2)).has_value());
    }

    // Any text escaped and put in a message as a value comes back exactly.
    void escapeRoundTripsThroughParser() {
        QRandomGenerator random(20261206);
        for (int i = 0; i < 3000; ++i) {
            const QString text = randomText(random, int(random.bounded(0, 40)));
            const auto escaped = fullyEscapedStringForUrl(text);
            QVERIFY(escaped.has_value());
            const auto map = attributesFromMessageWithLowercaseKey(
                QStringLiteral("twkscriptinstall://x?a=1&value=") + *escaped + QStringLiteral("&b"),
                true, false);
            QVERIFY(map.has_value());
            QCOMPARE(map->value(QStringLiteral("value")), text);
            QCOMPARE(map->size(), 3);
        }
    }

    void urlJoin_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("component");
        QTest::addColumn<std::optional<QString>>("expected");
        QTest::newRow("host") << "twkrelaunch://test"
                              << "x" << std::optional<QString>("twkrelaunch://test/x");
        QTest::newRow("path") << "s://h/dir"
                              << "file" << std::optional<QString>("s://h/dir/file");
        QTest::newRow("trailing slash") << "s://h/dir/"
                                        << "file" << std::optional<QString>("s://h/dir/file");
        QTest::newRow("leading slash in component") << "s://h"
                                                    << "/x" << std::optional<QString>("s://h/x");
        QTest::newRow("no scheme separator") << "plain text"
                                             << "x" << std::optional<QString>();
        QTest::newRow("twice") << "a:/b:/c"
                               << "x" << std::optional<QString>();
    }
    void urlJoin() {
        QFETCH(QString, url);
        QFETCH(QString, component);
        QFETCH(std::optional<QString>, expected);
        QCOMPARE(urlStringByAppendingPathComponent(url, component), expected);
    }

    void pieces() {
        QCOMPARE(componentsSeparatedByString(u"", u"&"), QStringList{""});
        QCOMPARE(componentsSeparatedByString(u"&a&&", u"&"), (QStringList{"", "a", "", ""}));
        QCOMPARE(componentsSeparatedByString(u"aaa", u"aa"), (QStringList{"", "a"}));
        QCOMPARE(stringByAppendingPathComponent(u"", u"x"), QStringLiteral("x"));
        QCOMPARE(stringByAppendingPathComponent(u"/", u"x"), QStringLiteral("/x"));
        QCOMPARE(stringByAppendingPathComponent(u"/a//", u"//x"), QStringLiteral("/a/x"));
        QCOMPARE(lastPathComponent(u"/a/b/"), QStringLiteral("b"));
        QCOMPARE(lastPathComponent(u"name"), QStringLiteral("name"));
        QCOMPARE(stringByReplacingPercentEscapes(u"a%2fb%2F"), std::optional<QString>("a/b/"));
        QCOMPARE(stringByReplacingPercentEscapes(u"%"), std::optional<QString>());
    }
};

QTEST_GUILESS_MAIN(TestMessageAttributes)
#include "test_message_attributes.moc"

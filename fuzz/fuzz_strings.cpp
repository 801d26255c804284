// The string library with hostile input; the first byte picks what is fuzzed:
//  0  the printf-style formatter, with arguments of every kind;
//  1  the protected split and the searches: every range found lies inside the searched range;
//  2  the attribute parser and the escaping round trip: escaped text put in a message as a
//     value comes back exactly.

#include "FuzzInput.h"
#include "support/strings/Formatter.h"
#include "support/strings/MessageAttributes.h"
#include "support/strings/Pieces.h"
#include "support/strings/RangeSearch.h"
#include "support/strings/TolerantSearch.h"
#include "support/strings/Transforms.h"

#include <cstdlib>
#include <vector>

using namespace twk::strings;

namespace {

void check(bool holds) {
    if (!holds)
        std::abort();
}

void formatter(FuzzInput& in) {
    const QString format = in.text(512);
    std::vector<FormatArg> args;
    const int count = in.byte() % 6;
    for (int i = 0; i < count; ++i) {
        switch (in.byte() % 5) {
        case 0:
            args.emplace_back(in.text(32));
            break;
        case 1:
            args.emplace_back(qint64(in.u64()));
            break;
        case 2:
            args.emplace_back(quint64(in.u64()));
            break;
        case 3:
            args.emplace_back(double(qint64(in.u64())) / 7.0);
            break;
        default:
            args.emplace_back(QChar(char16_t(in.u64())));
            break;
        }
    }
    const QString out = formatWithArguments(format, args);
    // Without conversions a format is its own text; widths are bounded.
    check(format.contains(u'%') || out == format);
    check(out.size() <= format.size() * 4100 + 4096 * 8 + 1024);
}

void splitAndSearch(FuzzInput& in) {
    const QString separator = in.text(4);
    const QString protector = in.text(3);
    const QString needle = in.text(16);
    const SearchOptions options = in.u64() & 0x7ff;
    const quint64 location = in.byte() % 80;
    const quint64 length = in.byte() % 80;
    const QString text = in.rest();
    if (!separator.isEmpty() && !protector.isEmpty() && !text.contains(u'#') &&
        !separator.contains(u'#') && !protector.contains(u'#'))
        check(componentsSeparatedByString(text, separator, protector).join(separator) == text);
    const Range range{location, length};
    const Range found = rangeOfString(text, needle, options, range);
    check(!found.found() ||
          (location + length <= quint64(text.size()) && found.location >= location &&
           found.location + found.length <= location + length));
    const Range quote =
        rangeOfStringAllowingNilMagicQuotes(text, QStringView(needle), options, range);
    check(!quote.found() || quote.location + quote.length <= quint64(text.size()));
    (void)hasSubstring(text, QStringView(needle), options);
}

bool hasLoneSurrogate(const QString& s) {
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            ++i;
        else if (s[i].isSurrogate())
            return true;
    }
    return false;
}

void attributes(FuzzInput& in) {
    const uint8_t flags = in.byte();
    const QString message = in.text(4096);
    const auto map = attributesFromMessageWithLowercaseKey(message, flags & 1, flags & 2);
    check(map.has_value() == message.contains(u'?'));
    if (map) {
        for (const auto& [key, value] : *map)
            check(map->contains(key));
    }
    (void)pathByRemovingParameters(message);
    (void)urlStringByAppendingPathComponent(message, in.text(64));
    const QString value = in.rest();
    const auto escaped = fullyEscapedStringForUrl(value);
    check(escaped.has_value() != hasLoneSurrogate(value));
    if (escaped) {
        const auto back = attributesFromMessageWithLowercaseKey(
            QStringLiteral("twkscriptinstall://x?value=") + *escaped + QStringLiteral("&z"), true,
            false);
        check(back && back->value(u"value") == value && back->size() == 2);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    switch (in.byte() % 3) {
    case 0:
        formatter(in);
        break;
    case 1:
        splitAndSearch(in);
        break;
    default:
        attributes(in);
        break;
    }
    return 0;
}

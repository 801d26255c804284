#include "support/strings/TolerantSearch.h"

#include "support/strings/RangeSearch.h"

namespace twk::strings {

Range rangeOfStringAllowingNil(QStringView receiver, std::optional<QStringView> needle,
                               SearchOptions options, Range range) {
    if (!needle)
        return {range.location, 0};
    return rangeOfString(receiver, *needle, options, range);
}

Range rangeOfStringAllowingNilMagicQuotes(QStringView receiver, std::optional<QStringView> needle,
                                          SearchOptions options, Range range) {
    if (!needle)
        return {range.location, 0};
    const Range doubleQuote = rangeOfString(receiver, *needle, options, range);
    if (*needle != u"\"")
        return doubleQuote;
    const Range singleQuote = rangeOfString(receiver, u"'", options, range);
    return doubleQuote.location < singleQuote.location ? doubleQuote : singleQuote;
}

bool hasSubstring(QStringView receiver, std::optional<QStringView> needle, SearchOptions options) {
    if (!needle)
        return true;
    return rangeOfString(receiver, *needle, options).found();
}

bool supportsNSRegularExpressionSearch() {
    return rangeOfString(u"Test", u".*", RegularExpressionSearch).found();
}

} // namespace twk::strings

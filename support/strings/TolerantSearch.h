#pragma once

// Searches that tolerate an absent needle, and the substring test built on them.

#include "support/strings/Range.h"

#include <QString>

#include <optional>

namespace twk::strings {

// An absent needle matches emptily at the start of the range: {range.location, 0}.
// Otherwise the same as rangeOfString(receiver, needle, options, range).
Range rangeOfStringAllowingNil(QStringView receiver, std::optional<QStringView> needle,
                               SearchOptions options, Range range);

// As above, but a needle of exactly one double quote also finds a single quote: the
// occurrence with the smaller location wins (unsigned, so found beats not found), and on a
// tie, or when neither is found, the single quote's range is the answer. The smaller
// location wins in backwards searches too.
Range rangeOfStringAllowingNilMagicQuotes(QStringView receiver, std::optional<QStringView> needle,
                                          SearchOptions options, Range range);

// Whether the needle occurs in the receiver. An absent needle: true; an empty one: false.
bool hasSubstring(QStringView receiver, std::optional<QStringView> needle, SearchOptions options);

// Whether searches honour RegularExpressionSearch: ".*" is looked for in "Test".
bool supportsNSRegularExpressionSearch();

} // namespace twk::strings

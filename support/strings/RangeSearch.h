#pragma once

#include "support/strings/Range.h"

#include <QString>

namespace twk::strings {

// Finds the needle in the given range of the receiver: the first occurrence, or the last
// with BackwardsSearch; with AnchoredSearch only at the start of the range (the end when
// searching backwards). Honours CaseInsensitiveSearch, LiteralSearch (exact code units;
// without it canonically equivalent forms match), DiacriticInsensitiveSearch,
// WidthInsensitiveSearch and RegularExpressionSearch. The range found is in the receiver's
// code units. An empty needle, an invalid pattern, and a range that does not lie within the
// receiver give Range::notFound(); nothing outside the receiver is ever read.
Range rangeOfString(QStringView receiver, QStringView needle, SearchOptions options, Range range);

// The same over the whole receiver.
Range rangeOfString(QStringView receiver, QStringView needle, SearchOptions options = 0);

} // namespace twk::strings

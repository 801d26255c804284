#pragma once

#include <QtGlobal>

namespace twk::strings {

// Location of "not found": the largest signed 64-bit value. Every real location is smaller,
// so an unsigned comparison always ranks a found range before a missing one.
inline constexpr quint64 NotFound = 0x7fffffffffffffffULL;

// A stretch of a text, counted in UTF-16 code units.
struct Range {
    quint64 location = NotFound;
    quint64 length = 0;

    static constexpr Range notFound() { return {NotFound, 0}; }
    constexpr bool found() const { return location != NotFound; }
    friend constexpr bool operator==(const Range&, const Range&) = default;
};

// Search and comparison option bits, with the values callers of the helper library pass.
enum SearchOption : quint64 {
    CaseInsensitiveSearch = 1,
    LiteralSearch = 2,
    BackwardsSearch = 4,
    AnchoredSearch = 8,
    NumericSearch = 64,
    DiacriticInsensitiveSearch = 128,
    WidthInsensitiveSearch = 256,
    ForcedOrderingSearch = 512,
    RegularExpressionSearch = 1024,
};
using SearchOptions = quint64;

// Ordering result: -1, 0 or 1.
enum ComparisonResult : int { OrderedAscending = -1, OrderedSame = 0, OrderedDescending = 1 };

} // namespace twk::strings

#pragma once

// Table-driven transforms, affixes, wrapping and the protected split. Each returns a new text.

#include <QString>
#include <QStringList>

#include <optional>

namespace twk::strings {

// Backslash escapes, applied in this order: \ -> \\, " -> \", newline -> \n, tab -> \t.
QString stringByAddingSlashEscapes(QStringView receiver);

// The same four pairs in the same order, swapped: \\ -> \, \" -> ", \n -> newline, \t -> tab.
// A backslash made by the first step can pair with a following n, t or quote.
QString stringByRemovingSlashEscapes(QStringView receiver);

// & -> &amp; first, then > -> &gt;, then < -> &lt;. Quotes are left alone.
QString stringByReplacingBadCharactersWithEntities(QStringView receiver);

// The receiver without one leading prefix (trailing suffix), or unchanged when it has none.
QString stringByRemovingPrefix(QStringView receiver, QStringView prefix);
QString stringByRemovingSuffix(QStringView receiver, QStringView suffix);

// wrapper + receiver + wrapper. An absent wrapper stands as "(null)" on both sides.
QString stringByWrappingWithString(QStringView receiver, const std::optional<QString>& wrapper);

// Splits at the separator except between protectors: "a,'b,c',d" with "," and "'" gives
// a | 'b,c' | d. Protectors stay in the pieces; an odd protector protects to the end. A
// receiver that already holds the marker text "###PrOtEcTedSePaRaToR###" splits there too.
QStringList componentsSeparatedByString(QStringView receiver, QStringView separator,
                                        QStringView protector);

inline constexpr QStringView ProtectedSeparatorMarker = u"###PrOtEcTedSePaRaToR###";

} // namespace twk::strings

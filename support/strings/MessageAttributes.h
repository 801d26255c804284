#pragma once

// Messages and URL texts: "head?key=value&key2=value2". Used to read install requests.

#include <QHash>
#include <QString>

#include <optional>

namespace twk::strings {

// Keys to values; a stored value is never absent (a key without "=" holds "").
using AttributeMap = QHash<QString, QString>;

// The text before the first "?", or the whole receiver when it holds none.
QString pathByRemovingParameters(QStringView receiver);

// Reads the attributes after the first "?". Pieces are separated by "&" and by any further
// "?"; a piece is key=value (value percent-unescaped as UTF-8) or a key alone (value "").
// A piece with two or more "=" is skipped, as is one whose value cannot be unescaped.
// lowercaseValue lowercases a value before it is unescaped; keys are never unescaped.
// The last piece with a given key wins. Absent (not empty) when the receiver has no "?".
std::optional<AttributeMap>
attributesFromMessageWithLowercaseKey(QStringView receiver, bool lowercaseKey, bool lowercaseValue);

// Percent-escapes every UTF-8 byte of the receiver except letters, digits and the RFC 2396
// unreserved marks - _ . ! ~ * ' ( ), so ";/?:@&=+$,", "%" and "#" are always escaped.
// Hexadecimal digits are upper case. Absent when the receiver has no UTF-8 form (a lone
// surrogate).
std::optional<QString> fullyEscapedStringForUrl(QStringView receiver);

// Appends a path component to a URL text after its "scheme:/" without disturbing the "//":
// twkrelaunch://test + x gives twkrelaunch://test/x. Absent unless ":/" occurs exactly once.
std::optional<QString> urlStringByAppendingPathComponent(QStringView receiver,
                                                         QStringView component);

} // namespace twk::strings

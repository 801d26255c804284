#pragma once

// The small text operations that the message, URL and path helpers stand on. Each one
// keeps to one exact rule, written beside it; code units are compared exactly.

#include <QString>
#include <QStringList>

#include <optional>

namespace twk::strings {

// Splits at every occurrence of the separator, left to right, without overlaps. n occurrences
// give n + 1 pieces; empty pieces are kept; the empty text gives one empty piece.
// An empty separator gives the receiver as the one piece.
QStringList componentsSeparatedByString(QStringView receiver, QStringView separator);

// Joins the pieces with the separator between neighbours.
QString componentsJoinedByString(const QStringList& pieces, QStringView separator);

// Replaces every "%" followed by two hexadecimal digits (either case) by the byte it denotes,
// and reads the bytes as UTF-8. Everything else passes through unchanged; "+" stays "+".
// Absent when a "%" lacks two hexadecimal digits or the bytes are not valid UTF-8.
std::optional<QString> stringByReplacingPercentEscapes(QStringView receiver);

// Joins a path and a component with exactly one "/" between them: trailing slashes of the
// path and leading slashes of the component are dropped first. An empty path gives the
// component alone; an empty component gives the path unchanged.
QString stringByAppendingPathComponent(QStringView path, QStringView component);

// The text after the last "/", ignoring trailing slashes ("/a/b/" gives "b", "/" gives "/").
QString lastPathComponent(QStringView path);

// A leading "~" (alone or before "/") becomes the home folder ($HOME when it is absolute,
// else the password database's). Other texts come back unchanged.
QString stringByExpandingTildeInPath(QStringView path);

} // namespace twk::strings

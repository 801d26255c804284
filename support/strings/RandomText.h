#pragma once

// Random texts and identifiers, from the system's secure generator.

#include <QString>

namespace twk::strings {

// n characters of "0123456789abcdefghijklmnopqrstuvwxyz", each the remainder by 36 of a
// 32-bit value from the system's secure generator. Empty for n below 1.
QString randomString(qint64 length);

// A new random UUID: 36 characters, upper-case hexadecimal, hyphens after 8, 12, 16, 20.
QString makeUUID();

} // namespace twk::strings

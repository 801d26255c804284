#pragma once

// What a text holds: numbers read from it, and equality that ignores its Unicode form.

#include <QString>

#include <optional>

namespace twk::strings {



// Equal after both are put in Unicode Normalization Form D. Case still matters; absent: false.
bool isEqualToStringIgnoringUnicodeIssues(QStringView receiver, std::optional<QStringView> other);

// After leading white space, an optional sign and decimal digits, saturated to 64 bits;
// 0 when the text does not begin so.
qint64 integerValue(QStringView receiver);

// True only for the canonical decimal form of a signed 64-bit integer ("-7", "0", "42").
bool isInteger(QStringView receiver);

// The C library's sscanf "%x" on the UTF-8 form, into 32 bits, widened with its sign.
qint64 hexValue(QStringView receiver);

// The receiver itself.
inline QString stringValue(const QString& receiver) {
    return receiver;
}

} // namespace twk::strings

#pragma once

// Every conversion between bytes and text, one function each, so every road converts the same
// way. Nothing here drops or changes a character: a leading byte-order mark stays, nothing is
// normalised. File-system names are bytes; the text made of them is only ever for showing.

#include <QByteArray>
#include <QString>

#include <optional>

namespace twk::text {

// File-system bytes (a name, a path, a link's target) as text: valid UTF-8 decoded, each byte
// that is not as U+FFFD. For showing only: it may not give the same bytes back.
QString fromNativeBytes(QByteArrayView bytes);

// Text as file-system bytes: its UTF-8 form.
QByteArray toNativeBytes(QStringView text);

// The text the bytes are in UTF-8, or absent when they are not valid UTF-8 (overlong forms,
// surrogates and code points above U+10FFFF are not).
std::optional<QString> decodeUtf8(QByteArrayView bytes);

// The bytes with every "%" and two hexadecimal digits (either case) replaced by the byte
// they denote, everything else kept; absent when a "%" is not followed by two digits.
std::optional<QByteArray> percentDecoded(QByteArrayView escaped);

} // namespace twk::text

#pragma once

// Durations, dates, standard folders, random texts and UUIDs.

#include <QString>

#include <optional>

namespace twk::strings {

// "%@%02ld:%02ld" below an hour, "%@%ld:%02ld:%02ld" from 3600 up; "-" before negatives.
// Exact for every 64-bit value, the most negative included.
QString timeStringFromSecs(qint64 seconds);

// "%02ldm %02lds", or "%ldh %02ldm %02lds" from 3600 up; zero or negative: 0 minutes and the
// seconds as given ("00m -61s").
QString timeStringFromSecsWithLetters(qint64 seconds);

// Date and time styles: 0 none, 1 short, 2 medium, 3 long, 4 full (other values: none).
// Written by ICU in the user's locale (LC_ALL, then LC_TIME, then LANG) and time zone (TZ).
// Both styles none give the empty text.
QString dateTimeFromSecsSince1970(qint64 seconds, quint64 dateStyle, quint64 timeStyle);

// Directory kinds and domain masks as callers of the helper library number them
// (e.g. 9 documents, 12 desktop, 13 caches, 14 application support, 15 downloads;
// domains 1 user, 2 local, 4 network, 8 system). Absent where Linux has no such folder.
std::optional<QString> userDirectoryOfType(quint64 directoryKind, quint64 domainMask);
std::optional<QString> userDirectoryOfType(quint64 directoryKind);

// n characters of "0123456789abcdefghijklmnopqrstuvwxyz", each the remainder by 36 of a
// 32-bit value from the system's secure generator. Empty for n below 1.
QString randomString(qint64 length);

// A new random UUID: 36 characters, upper-case hexadecimal, hyphens after 8, 12, 16, 20.
QString makeUUID();

} // namespace twk::strings

#pragma once

// Durations in seconds written as clock texts.

#include <QString>

namespace twk::strings {

// "%@%02ld:%02ld" below an hour, "%@%ld:%02ld:%02ld" from 3600 up; "-" before negatives.
// Exact for every 64-bit value, the most negative included.
QString timeStringFromSecs(qint64 seconds);

// "%02ldm %02lds", or "%ldh %02ldm %02lds" from 3600 up; zero or negative: 0 minutes and the
// seconds as given ("00m -61s").
QString timeStringFromSecsWithLetters(qint64 seconds);

} // namespace twk::strings

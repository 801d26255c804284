#pragma once

// Points in time written as dates, in the user's locale and time zone.

#include <QString>

namespace twk::strings {

// Date and time styles: 0 none, 1 short, 2 medium, 3 long, 4 full (other values: none).
// Written by ICU in the user's locale (LC_ALL, then LC_TIME, then LANG) and time zone (TZ).
// Both styles none give the empty text.
QString dateTimeFromSecsSince1970(qint64 seconds, quint64 dateStyle, quint64 timeStyle);

} // namespace twk::strings

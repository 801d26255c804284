#include "support/strings/Durations.h"

#include "support/strings/Formatter.h"

namespace twk::strings {

QString timeStringFromSecs(qint64 seconds) {
    const QString prefix = seconds < 0 ? QStringLiteral("-") : QString();
    // The magnitude in unsigned arithmetic: exact even for the most negative value.
    const quint64 a = seconds < 0 ? quint64(0) - quint64(seconds) : quint64(seconds);
    const quint64 hours = a / 3600;
    const auto minutes = qint64((a % 3600) / 60);
    const auto secs = qint64(a % 60);
    if (hours == 0)
        return format(u"%@%02ld:%02ld", prefix, minutes, secs);
    return format(u"%@%lu:%02ld:%02ld", prefix, hours, minutes, secs);
}

QString timeStringFromSecsWithLetters(qint64 seconds) {
    if (seconds <= 0)
        return format(u"%02ldm %02lds", qint64(0), seconds);
    const qint64 hours = seconds / 3600;
    const qint64 minutes = (seconds % 3600) / 60;
    const qint64 secs = seconds % 60;
    if (seconds < 3600)
        return format(u"%02ldm %02lds", minutes, secs);
    return format(u"%ldh %02ldm %02lds", hours, minutes, secs);
}

} // namespace twk::strings

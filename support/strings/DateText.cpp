#include "support/strings/DateText.h"

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <QByteArray>

#include <cstdlib>
#include <memory>

namespace twk::strings {

namespace {

// The locale for time texts, by the POSIX order of precedence.
icu::Locale timeLocale() {
    QByteArray name;
    for (const char* variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) {
            name = value;
            break;
        }
    }
    // "de_DE.UTF-8@euro" -> "de_DE"
    const qsizetype cut = name.indexOf('.');
    if (cut >= 0)
        name.truncate(cut);
    const qsizetype at = name.indexOf('@');
    if (at >= 0)
        name.truncate(at);
    if (name.isEmpty() || name == "C" || name == "POSIX")
        name = "en_US_POSIX";
    return icu::Locale(name.constData());
}

icu::DateFormat::EStyle icuStyle(quint64 style) {
    switch (style) {
    case 1:
        return icu::DateFormat::kShort;
    case 2:
        return icu::DateFormat::kMedium;
    case 3:
        return icu::DateFormat::kLong;
    case 4:
        return icu::DateFormat::kFull;
    default:
        return icu::DateFormat::kNone;
    }
}

} // namespace

QString dateTimeFromSecsSince1970(qint64 seconds, quint64 dateStyle, quint64 timeStyle) {
    const auto date = icuStyle(dateStyle);
    const auto time = icuStyle(timeStyle);
    // ICU still writes a pattern for none/none; no date and no time is the empty text.
    if (date == icu::DateFormat::kNone && time == icu::DateFormat::kNone)
        return {};
    std::unique_ptr<icu::DateFormat> formatter(
        icu::DateFormat::createDateTimeInstance(date, time, timeLocale()));
    if (!formatter)
        return {};
    formatter->adoptTimeZone(icu::TimeZone::detectHostTimeZone());
    icu::UnicodeString text;
    formatter->format(double(seconds) * 1000.0, text);
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

} // namespace twk::strings

#include "support/strings/Generation.h"

#include "support/strings/Formatter.h"

#include <QDir>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QUuid>

#include <unicode/datefmt.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <cstdlib>
#include <memory>

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

namespace {

enum Domain : quint64 { UserDomain = 1, LocalDomain = 2, NetworkDomain = 4, SystemDomain = 8 };

std::optional<QString> standardLocation(QStandardPaths::StandardLocation location) {
    const QString path = QStandardPaths::writableLocation(location);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> userFolder(quint64 kind) {
    switch (kind) {
    case 1: // applications
        return standardLocation(QStandardPaths::ApplicationsLocation);
    case 5:  // library
    case 14: // application support
        return standardLocation(QStandardPaths::GenericDataLocation);
    case 9:
        return standardLocation(QStandardPaths::DocumentsLocation);
    case 12:
        return standardLocation(QStandardPaths::DesktopLocation);
    case 13:
        return standardLocation(QStandardPaths::GenericCacheLocation);
    case 15:
        return standardLocation(QStandardPaths::DownloadLocation);
    case 17:
        return standardLocation(QStandardPaths::MoviesLocation);
    case 18:
        return standardLocation(QStandardPaths::MusicLocation);
    case 19:
        return standardLocation(QStandardPaths::PicturesLocation);
    case 21:
        return standardLocation(QStandardPaths::PublicShareLocation);
    case 23: // application scripts, the same convention as Tarnwick's scripts folder
        return QDir::homePath() + QStringLiteral("/Library/Application Scripts/") +
               QStringLiteral("org.tarnwick.ScriptInstaller");
    case 102: { // trash
        const auto data = standardLocation(QStandardPaths::GenericDataLocation);
        if (!data)
            return std::nullopt;
        return *data + QStringLiteral("/Trash");
    }
    default:
        return std::nullopt;
    }
}

std::optional<QString> sharedFolder(quint64 kind, const QString& prefix) {
    switch (kind) {
    case 1:
        return prefix + QStringLiteral("/share/applications");
    case 5:
        return prefix + QStringLiteral("/lib");
    case 8:
        return prefix + QStringLiteral("/share/doc");
    case 14:
        return prefix + QStringLiteral("/share");
    default:
        return std::nullopt;
    }
}

} // namespace

std::optional<QString> userDirectoryOfType(quint64 directoryKind, quint64 domainMask) {
    if (domainMask & UserDomain) {
        if (auto path = userFolder(directoryKind))
            return path;
    }
    if (domainMask & LocalDomain) {
        if (directoryKind == 7)
            return QStringLiteral("/home");
        if (auto path = sharedFolder(directoryKind, QStringLiteral("/usr/local")))
            return path;
    }
    if (domainMask & SystemDomain) {
        if (auto path = sharedFolder(directoryKind, QStringLiteral("/usr")))
            return path;
    }
    return std::nullopt;
}

std::optional<QString> userDirectoryOfType(quint64 directoryKind) {
    return userDirectoryOfType(directoryKind, UserDomain);
}

QString randomString(qint64 length) {
    static constexpr char16_t alphabet[] = u"0123456789abcdefghijklmnopqrstuvwxyz";
    QString text;
    if (length < 1)
        return text;
    text.reserve(qsizetype(length));
    QRandomGenerator* generator = QRandomGenerator::system();
    for (qint64 i = 0; i < length; ++i)
        text.append(QChar(alphabet[generator->generate() % 36]));
    return text;
}

QString makeUUID() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

} // namespace twk::strings

#include "support/strings/UserDirectories.h"

#include <QDir>
#include <QStandardPaths>

namespace twk::strings {

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

} // namespace twk::strings

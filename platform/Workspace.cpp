#include "platform/Workspace.h"

#include "support/text/Conversions.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QUrl>

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <cerrno>
#include <cstring>

Q_LOGGING_CATEGORY(lcWorkspace, "twk.platform.workspace")

namespace twk::platform {
namespace {

QString schemeOf(const QString& url) {
    const qsizetype colon = url.indexOf(u':');
    return colon > 0 ? url.left(colon) : QString();
}

std::optional<QString> locationOf(GAppInfo* info) {
    if (G_IS_DESKTOP_APP_INFO(info)) {
        g_autofree char* path =
            g_desktop_app_info_get_string(G_DESKTOP_APP_INFO(info), G_KEY_FILE_DESKTOP_KEY_PATH);
        // A relative Path would make the location depend on our own working folder: such a
        // key counts as absent.
        if (path && path[0] == '/')
            return QDir::cleanPath(text::fromNativeBytes(path));
    }
    const char* executable = g_app_info_get_executable(info);
    if (!executable || !*executable || (executable[0] != '/' && std::strchr(executable, '/')))
        return std::nullopt; // none, or a path relative to whatever folder we run in
    g_autofree char* resolved = g_find_program_in_path(executable);
    if (!resolved)
        return std::nullopt;
    return QFileInfo(text::fromNativeBytes(resolved)).canonicalPath();
}

posix::Status launchDefault(const QByteArray& uri) {
    g_autoptr(GError) error = nullptr;
    if (g_app_info_launch_default_for_uri(uri.constData(), nullptr, &error))
        return {};
    const QString why = QString::fromUtf8(error ? error->message : "");
    qCInfo(lcWorkspace) << "could not open" << uri << why;
    return posix::Status(posix::Step::Opening, EIO, uri.toStdString(), why);
}

} // namespace

std::optional<QString> urlForApplicationToOpenUrl(const QString& url) {
    const QString scheme = schemeOf(url);
    if (scheme.isEmpty())
        return std::nullopt;
    g_autoptr(GAppInfo) info =
        g_app_info_get_default_for_uri_scheme(text::toNativeBytes(scheme).constData());
    if (!info)
        return std::nullopt;
    return locationOf(info);
}

posix::Status openUrl(const QString& url) {
    return launchDefault(text::toNativeBytes(url));
}

posix::Status openFile(const QString& path) {
    return launchDefault(QUrl::fromLocalFile(path).toEncoded());
}

} // namespace twk::platform

#include "platform/Workspace.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QUrl>

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <cstring>

Q_LOGGING_CATEGORY(lcWorkspace, "twk.platform.workspace")

namespace twk::platform {
namespace {

template <typename T> struct GObjectDeleter {
    void operator()(T* object) const {
        if (object)
            g_object_unref(object);
    }
};
template <typename T> using GObjectPtr = std::unique_ptr<T, GObjectDeleter<T>>;

struct GFreeDeleter {
    void operator()(void* p) const { g_free(p); }
};
using GString = std::unique_ptr<char, GFreeDeleter>;

QString schemeOf(const QString& url) {
    const qsizetype colon = url.indexOf(u':');
    return colon > 0 ? url.left(colon) : QString();
}

std::optional<QString> locationOf(GAppInfo* info) {
    if (G_IS_DESKTOP_APP_INFO(info)) {
        const GString path(
            g_desktop_app_info_get_string(G_DESKTOP_APP_INFO(info), G_KEY_FILE_DESKTOP_KEY_PATH));
        // A relative Path would make the location depend on our own working folder: such a
        // key counts as absent.
        if (path && path.get()[0] == '/')
            return QDir::cleanPath(QString::fromUtf8(path.get()));
    }
    const char* executable = g_app_info_get_executable(info);
    if (!executable || !*executable || (executable[0] != '/' && std::strchr(executable, '/')))
        return std::nullopt; // none, or a path relative to whatever folder we run in
    const GString resolved(g_find_program_in_path(executable));
    if (!resolved)
        return std::nullopt;
    return QFileInfo(QString::fromUtf8(resolved.get())).canonicalPath();
}

bool launchDefault(const QByteArray& uri) {
    GError* error = nullptr;
    const bool ok = g_app_info_launch_default_for_uri(uri.constData(), nullptr, &error);
    if (!ok) {
        qCInfo(lcWorkspace) << "could not open" << uri << (error ? error->message : "");
        g_clear_error(&error);
    }
    return ok;
}

} // namespace

std::optional<QString> urlForApplicationToOpenUrl(const QString& url) {
    const QString scheme = schemeOf(url);
    if (scheme.isEmpty())
        return std::nullopt;
    const GObjectPtr<GAppInfo> info(
        g_app_info_get_default_for_uri_scheme(scheme.toUtf8().constData()));
    if (!info)
        return std::nullopt;
    return locationOf(info.get());
}

bool openUrl(const QString& url) {
    return launchDefault(url.toUtf8());
}

bool openFile(const QString& path) {
    return launchDefault(QUrl::fromLocalFile(path).toEncoded());
}

} // namespace twk::platform

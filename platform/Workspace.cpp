#include "platform/Workspace.h"

#include "support/text/Conversions.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QUrl>

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <sys/inotify.h>
#include <unistd.h>

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

void dropApplicationFolderWatches() {
    // The process's own inotify descriptors and the watches each holds, as the kernel lists
    // them: in a terminal run, GIO's alone.
    std::unique_ptr<DIR, int (*)(DIR*)> descriptors(::opendir("/proc/self/fd"), ::closedir);
    if (!descriptors)
        return;
    while (const dirent* entry = ::readdir(descriptors.get())) {
        const std::string link = std::string("/proc/self/fd/") + entry->d_name;
        char target[32] = {};
        const ssize_t length = ::readlink(link.c_str(), target, sizeof target - 1);
        if (length <= 0 || std::strcmp(target, "anon_inode:inotify") != 0)
            continue;
        QFile info(QStringLiteral("/proc/self/fdinfo/") + QLatin1String(entry->d_name));
        if (!info.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : info.readAll().split('\n')) {
            unsigned watch = 0;
            if (std::sscanf(line.constData(), "inotify wd:%x", &watch) == 1 &&
                ::inotify_rm_watch(std::atoi(entry->d_name), int(watch)) != 0)
                qCDebug(lcWorkspace) << "could not drop watch" << watch << std::strerror(errno);
        }
    }
}

posix::Status openUrl(const QString& url) {
    return launchDefault(text::toNativeBytes(url));
}

posix::Status openFile(const QString& path) {
    return launchDefault(QUrl::fromLocalFile(path).toEncoded());
}

} // namespace twk::platform

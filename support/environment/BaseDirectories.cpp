#include "support/environment/BaseDirectories.h"

#include "support/text/Conversions.h"

#include <QByteArray>
#include <QByteArrayList>

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace twk::environment {
namespace {

bool isAbsolute(const QByteArray& path) {
    return path.startsWith('/');
}

QString passwordHome() {
    if (const passwd* entry = ::getpwuid(::getuid());
        entry && entry->pw_dir && isAbsolute(entry->pw_dir))
        return text::fromNativeBytes(entry->pw_dir);
    return QStringLiteral("/"); // no home at all: the root, as the C library would
}

QString xdgHome(const char* variable, const char* fallback) {
    const QByteArray value = qgetenv(variable);
    if (isAbsolute(value))
        return text::fromNativeBytes(value);
    return homeFolder() + QLatin1String(fallback);
}

} // namespace

QString homeFolder() {
    const QByteArray home = qgetenv("HOME");
    return isAbsolute(home) ? text::fromNativeBytes(home) : passwordHome();
}

QString configHome() {
    return xdgHome("XDG_CONFIG_HOME", "/.config");
}

QString dataHome() {
    return xdgHome("XDG_DATA_HOME", "/.local/share");
}

QString stateHome() {
    return xdgHome("XDG_STATE_HOME", "/.local/state");
}

void sanitizeEnvironment() {
    if (!isAbsolute(qgetenv("HOME")))
        ::setenv("HOME", text::toNativeBytes(passwordHome()).constData(), 1);
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME",
                                 "XDG_STATE_HOME", "XDG_RUNTIME_DIR"}) {
        if (qEnvironmentVariableIsSet(variable) && !isAbsolute(qgetenv(variable)))
            ::unsetenv(variable);
    }
    for (const char* list : {"XDG_DATA_DIRS", "XDG_CONFIG_DIRS"}) {
        // Lists keep only their absolute entries.
        const QByteArray value = qgetenv(list);
        if (value.isEmpty())
            continue;
        QByteArrayList kept;
        for (const QByteArray& entry : value.split(':')) {
            if (isAbsolute(entry))
                kept.append(entry);
        }
        if (kept.isEmpty())
            ::unsetenv(list);
        else
            ::setenv(list, kept.join(':').constData(), 1);
    }
}

} // namespace twk::environment

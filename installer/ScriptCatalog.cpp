#include "installer/ScriptCatalog.h"

#include "installer/ScriptFolders.h"
#include "installer/ScriptInstall.h"
#include "installer/StagedCopy.h"
#include "support/strings/NaturalOrder.h"
#include "support/strings/Pieces.h"

#include <QFile>

#include <algorithm>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace twk::installer {
namespace {

bool sameBytes(const QByteArray& first, const QByteArray& second) {
    const int a = ::open(first.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    const int b = ::open(second.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    bool same = a >= 0 && b >= 0;
    std::vector<char> x(1 << 16), y(1 << 16);
    while (same) {
        const ssize_t n = ::read(a, x.data(), x.size());
        const ssize_t m = n > 0 ? ::read(b, y.data(), size_t(n)) : ::read(b, y.data(), 1);
        if (n != m || n < 0 ||
            std::memcmp(x.data(), y.data(), size_t(std::max<ssize_t>(n, 0))) != 0)
            same = false;
        else if (n == 0)
            break;
    }
    if (a >= 0)
        ::close(a);
    if (b >= 0)
        ::close(b);
    return same;
}

bool sameNative(const QByteArray& first, const QByteArray& second) {
    struct stat a, b;
    if (::lstat(first.constData(), &a) != 0 || ::lstat(second.constData(), &b) != 0)
        return false;
    if ((a.st_mode & S_IFMT) != (b.st_mode & S_IFMT))
        return false;
    if (S_ISREG(a.st_mode)) {
        if (a.st_size != b.st_size)
            return false;
        // Copies keep their time; equal size and time means an untouched copy.
        if (a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec)
            return true;
        return sameBytes(first, second);
    }
    if (S_ISLNK(a.st_mode)) {
        char x[PATH_MAX], y[PATH_MAX];
        const ssize_t n = ::readlink(first.constData(), x, sizeof x);
        const ssize_t m = ::readlink(second.constData(), y, sizeof y);
        return n == m && n >= 0 && std::memcmp(x, y, size_t(n)) == 0;
    }
    if (S_ISDIR(a.st_mode)) {
        auto names = [](const QByteArray& folder) {
            QStringList list = listFolder(QFile::decodeName(folder)).value_or(QStringList());
            list.sort();
            return list;
        };
        const QStringList mine = names(first);
        if (mine != names(second))
            return false;
        for (const QString& name : mine) {
            const QByteArray entry = '/' + QFile::encodeName(name);
            if (!sameNative(first + entry, second + entry))
                return false;
        }
        return true;
    }
    return true; // other kinds: the same kind is all there is to compare
}

} // namespace

bool sameItem(const QString& first, const QString& second) {
    return sameNative(QFile::encodeName(first), QFile::encodeName(second));
}

ScriptCatalog scriptCatalog(const std::optional<QString>& sourceFolder,
                            const QString& userScriptsFolder) {
    ScriptCatalog catalog;
    if (!sourceFolder) {
        catalog.source = ScriptCatalog::Source::TarnwickNotFound;
        return catalog;
    }
    const auto names = listFolder(*sourceFolder);
    if (!names) {
        catalog.source = ScriptCatalog::Source::Unreadable;
        return catalog;
    }
    for (const QString& name : *names) {
        const QString installed = strings::stringByAppendingPathComponent(userScriptsFolder, name);
        struct stat st;
        ScriptState state = ScriptState::NotInstalled;
        if (::lstat(QFile::encodeName(installed).constData(), &st) == 0)
            state =
                sameItem(strings::stringByAppendingPathComponent(*sourceFolder, name), installed)
                    ? ScriptState::Installed
                    : ScriptState::Different;
        catalog.scripts.append({name, state});
    }
    std::sort(catalog.scripts.begin(), catalog.scripts.end(),
              [](const CatalogEntry& a, const CatalogEntry& b) {
                  return strings::naturalOrderCompare(a.name, b.name) < 0;
              });
    return catalog;
}

QString stateName(ScriptState state) {
    switch (state) {
    case ScriptState::Installed:
        return QStringLiteral("installed");
    case ScriptState::Different:
        return QStringLiteral("different");
    case ScriptState::NotInstalled:
        break;
    }
    return QStringLiteral("not installed");
}

std::optional<QString> removeInstalledScript(const QString& userScriptsFolder,
                                             const QString& name) {
    if (!isValidScriptName(name))
        return QStringLiteral("\"%1\" is not a valid script name").arg(name);
    const QString path = strings::stringByAppendingPathComponent(userScriptsFolder, name);
    struct stat st;
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return QStringLiteral("\"%1\" is not installed").arg(name);
    return removeItem(QFile::encodeName(path).toStdString());
}

} // namespace twk::installer

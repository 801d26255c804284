#include "installer/ScriptFolders.h"

#include "installer/Posix.h"
#include "platform/Workspace.h"
#include "support/environment/BaseDirectories.h"
#include "support/strings/Pieces.h"

namespace twk::installer {

std::optional<QString> sourceScriptsFolder() {
    const auto tarnwick = platform::urlForApplicationToOpenUrl(QLatin1String(TarnwickProbeUrl));
    if (!tarnwick)
        return std::nullopt;
    return strings::stringByAppendingPathComponent(*tarnwick,
                                                   QString::fromLatin1(SourceScriptsSubpath));
}

QString userScriptsFolder() {
    return environment::homeFolder() + QStringLiteral("/Library/Application Scripts/") +
           QLatin1String(MenuExtensionBundleId);
}

bool isValidScriptName(const QByteArray& name) {
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') &&
           !name.contains('\0');
}

ResolvedScript resolveScript(const std::optional<QString>& sourceFolder, const QByteArray& name) {
    using Result = ResolvedScript::Result;
    if (!isValidScriptName(name))
        return {Result::InvalidName};
    if (!sourceFolder)
        return {Result::TarnwickNotFound};
    const posix::Fd folder = posix::openFolderPath(posix::nativePath(*sourceFolder));
    struct stat st;
    if (!folder.valid() || !posix::statAt(folder.get(), name.toStdString(), st))
        return {Result::NotFound};
    return {Result::Found, kindOf(st.st_mode)};
}

} // namespace twk::installer

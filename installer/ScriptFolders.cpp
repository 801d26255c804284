#include "installer/ScriptFolders.h"

#include "platform/Workspace.h"
#include "support/environment/ApplicationId.h"
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

QString stateFolder() {
    return environment::stateHome() + u'/' + QLatin1String(environment::ApplicationId);
}

files::ScriptPlaces scriptPlaces() {
    return {sourceScriptsFolder(), userScriptsFolder(), stateFolder()};
}

} // namespace twk::installer

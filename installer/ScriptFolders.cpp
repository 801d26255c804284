#include "installer/ScriptFolders.h"

#include "platform/Workspace.h"
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
    return strings::stringByExpandingTildeInPath(QStringLiteral("~/Library/Application Scripts/") +
                                                 QLatin1String(MenuExtensionBundleId));
}

bool isValidScriptName(const QString& name) {
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') &&
           !name.contains(QChar(u'\0'));
}

} // namespace twk::installer

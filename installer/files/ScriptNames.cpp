#include "installer/files/ScriptNames.h"

#include "support/text/Conversions.h"

namespace twk::files {

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
    const Fd folder = openFolderPath(text::toNativeBytes(*sourceFolder).toStdString());
    const auto found = folder.valid() ? statAt(folder.get(), name.toStdString())
                                      : Expected<struct stat>(Status(Step::Resolving, ENOENT));
    if (!found.ok())
        return {Result::NotFound};
    return {Result::Found, kindOf(found->st_mode)};
}

} // namespace twk::files

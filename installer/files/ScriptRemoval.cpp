#include "installer/files/ScriptRemoval.h"

#include "installer/files/ScriptInstall.h"
#include "installer/files/ScriptNames.h"
#include "installer/files/Trash.h"
#include "support/text/Conversions.h"

#include <QCoreApplication>

namespace twk::files {

Expected<QByteArray> removeInstalledScript(const QString& userScriptsFolder,
                                           const QByteArray& name) {
    if (!isValidScriptName(name))
        return Status(Step::Resolving, EINVAL, {},
                      QCoreApplication::translate("HeadlessInstall", "is not a valid script name"));
    const std::string folderPath = text::toNativeBytes(userScriptsFolder).toStdString();
    const std::string entry = name.toStdString();
    const Fd folder = openFolderPath(folderPath);
    if (!folder.valid() || !statAt(folder.get(), entry).ok())
        return Status(Step::Resolving, ENOENT, {},
                      QCoreApplication::translate("HeadlessInstall", "is not installed"));
    std::string trashed;
    if (Status moved = moveToTrash(folder.get(), entry, folderPath + '/' + entry, &trashed);
        !moved.ok()) {
        logInstallFailure(moved);
        return moved;
    }
    return QByteArray::fromStdString(trashed);
}

} // namespace twk::files

#include "installer/RemovalRoad.h"

#include "installer/Messages.h"
#include "installer/ScriptFolders.h"
#include "installer/Sheets.h"
#include "installer/files/ScriptRemoval.h"

#include <QPushButton>

namespace twk::installer {

void RemovalRoad::run() {
    const QString shown = Messages::shownName(name_);
    auto alert = installerAlert(
        Messages::tr("Move the installed copy of '%1' to the Trash?").arg(shown),
        Messages::tr("Move to Trash"), Messages::tr("Cancel"),
        Messages::tr("Tarnwick's menu will no longer offer the script. You can restore it from "
                     "the Trash; Tarnwick's own copy stays, and can be installed again."));
    alert->setDefaultButton(alert->addedButtons().at(1));
    showSheet(std::move(alert), [this](alert::Alert&, int returnCode) {
        if (returnCode == alert::FirstButtonReturn)
            remove();
        else
            finish();
    });
}

void RemovalRoad::remove() {
    inBackground(
        [name = name_] { return files::removeInstalledScript(userScriptsFolder(), name); },
        [this](const posix::Expected<QByteArray>& removed) {
            Q_EMIT scriptsChanged({name_});
            const QString shown = Messages::shownName(name_);
            if (removed.ok()) {
                Q_EMIT statusMessage(Messages::tr("'%1' was moved to the Trash.").arg(shown));
                finish();
                return;
            }
            showSheetThenFinish(
                noticeAlert(Messages::tr("'%1' could not be moved to the Trash").arg(shown),
                            removed.status().description()));
        });
}

} // namespace twk::installer

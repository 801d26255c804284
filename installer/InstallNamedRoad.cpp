#include "installer/InstallNamedRoad.h"

#include "installer/Messages.h"
#include "installer/ScriptFolders.h"
#include "installer/Sheets.h"
#include "installer/files/ScriptCatalog.h"
#include "installer/files/ScriptInstall.h"
#include "installer/files/ScriptNames.h"
#include "support/text/Conversions.h"

namespace twk::installer {

void InstallNamedRoad::run() {
    inBackground(
        [name = name_] {
            const files::ScriptPlaces places = scriptPlaces();
            files::CatalogFolders folders(places, false);
            const files::CatalogEntry entry = folders.entry(name.toStdString());
            (void)folders.learn();
            return entry;
        },
        [this](const files::CatalogEntry& entry) {
            if (!files::holdsEdits(entry.state)) {
                install(files::EditChoice::Keep);
                return;
            }
            showSheet(editQuestionAlert({name_}), [this](alert::Alert&, int returnCode) {
                install(returnCode == ReplaceEditsReturn ? files::EditChoice::Replace
                                                         : files::EditChoice::Keep);
            });
        });
}

void InstallNamedRoad::install(files::EditChoice edits) {
    inBackground(
        [name = name_, edits] {
            const files::ScriptPlaces places = scriptPlaces();
            if (files::resolveScript(places.source, name).result !=
                files::ResolvedScript::Result::Found)
                return files::ScriptOutcome{
                    name, posix::Status(posix::Step::Resolving, ENOENT, {},
                                        Messages::tr("Tarnwick does not offer it."))};
            return files::installScriptNamed(places, name, edits);
        },
        [this](const files::ScriptOutcome& outcome) {
            Q_EMIT scriptsChanged({outcome.name});
            const QString name = text::fromNativeBytes(outcome.name);
            if (outcome.status.ok()) {
                Q_EMIT statusMessage(Messages::outcomeLine(name, outcome));
                finish();
                return;
            }
            showSheetThenFinish(noticeAlert(
                Messages::tr("'%1' could not be installed").arg(Messages::shownText(name)),
                outcome.status.description()));
        });
}

} // namespace twk::installer

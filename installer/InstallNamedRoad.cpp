#include "installer/InstallNamedRoad.h"

#include "installer/Messages.h"
#include "installer/ScriptFolders.h"
#include "installer/Sheets.h"
#include "installer/files/ScriptInstall.h"
#include "installer/files/ScriptNames.h"
#include "support/text/Conversions.h"

namespace twk::installer {

void InstallNamedRoad::run() {
    inBackground(
        [name = name_] {
            const auto folder = sourceScriptsFolder();
            if (files::resolveScript(folder, name).result != files::ResolvedScript::Result::Found)
                return files::ScriptOutcome{
                    name,
                    posix::Status(posix::Step::Resolving, ENOENT, {},
                                  Messages::tr("Tarnwick does not offer it.")),
                    {}};
            return files::installScriptNamed(*folder, name, userScriptsFolder());
        },
        [this](const files::ScriptOutcome& outcome) {
            Q_EMIT scriptsChanged({outcome.name});
            const QString name = text::fromNativeBytes(outcome.name);
            if (outcome.installed()) {
                Q_EMIT statusMessage(
                    outcome.trashedName.isEmpty()
                        ? Messages::tr("'%1' installed.").arg(Messages::shownText(name))
                        : Messages::trashedNote(name, outcome.trashedName));
                finish();
                return;
            }
            showSheetThenFinish(noticeAlert(
                Messages::tr("'%1' could not be installed").arg(Messages::shownText(name)),
                outcome.status.description()));
        });
}

} // namespace twk::installer

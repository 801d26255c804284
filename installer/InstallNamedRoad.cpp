#include "installer/InstallNamedRoad.h"

#include "installer/Messages.h"
#include "installer/ScriptFolders.h"
#include "installer/Sheets.h"
#include "installer/files/ScriptCatalog.h"
#include "installer/files/ScriptInstall.h"
#include "installer/files/ScriptNames.h"
#include "support/text/Conversions.h"

namespace twk::installer {

namespace {

struct Looked {
    files::CatalogEntry entry;
    std::optional<files::ScriptMerge> merge; // planned when both sides changed
};

} // namespace

void InstallNamedRoad::run() {
    inBackground(
        [name = name_] {
            const files::ScriptPlaces places = scriptPlaces();
            files::CatalogFolders folders(places, false);
            Looked looked{folders.entry(name.toStdString()), std::nullopt};
            (void)folders.learn();
            if (looked.entry.state == files::ScriptState::EditedAndUpdated) {
                if (auto merge = files::scriptMerge(places, name); merge.ok())
                    looked.merge = std::move(*merge);
            }
            return looked;
        },
        [this](const Looked& looked) {
            if (!files::holdsEdits(looked.entry.state)) {
                install(files::EditChoice::Keep);
                return;
            }
            const MergeOffer offer = mergeOfferFor(looked.merge, userScriptsFolder());
            showSheet(editQuestionAlert({name_}, offer),
                      [this, offer](alert::Alert&, int returnCode) {
                          if (returnCode == MergeReturn &&
                              offer.button == MergeOffer::Button::SaveWithConflicts)
                              saveMerge();
                          else
                              install(returnCode == ReplaceEditsReturn ? files::EditChoice::Replace
                                      : returnCode == MergeReturn      ? files::EditChoice::Merge
                                                                       : files::EditChoice::Keep);
                      });
        });
}

void InstallNamedRoad::saveMerge() {
    inBackground(
        [name = name_] { return files::saveMergeWithConflicts(scriptPlaces(), name); },
        [this](const posix::Expected<QString>& saved) {
            const QString sentence = Messages::mergeSaved(text::fromNativeBytes(name_), saved);
            Q_EMIT statusMessage(sentence);
            showSheetThenFinish(noticeAlert(saved.ok() ? Messages::tr("Merge saved")
                                                       : Messages::tr("The merge was not saved"),
                                            sentence));
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

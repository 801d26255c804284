#include "installer/BulkInstallRoad.h"

#include "installer/Messages.h"
#include "installer/ScriptFolders.h"
#include "installer/Sheets.h"
#include "installer/files/BulkInstall.h"
#include "installer/files/ScriptCatalog.h"
#include "platform/Notifications.h"

namespace twk::installer {

namespace {

// The installed copies that hold the user's edits, and of those updated by Tarnwick too, which
// merge cleanly and which collide.
struct Edited {
    QList<QByteArray> names, clean, colliding;
};

} // namespace

void BulkInstallRoad::run() {
    // First, which installed copies hold the user's edits: those are asked about, once.
    inBackground(
        [] {
            const files::ScriptPlaces places = scriptPlaces();
            Edited edited;
            for (const files::CatalogEntry& entry : files::scriptCatalog(places).scripts) {
                if (!files::holdsEdits(entry.state))
                    continue;
                edited.names.append(entry.name);
                if (entry.state != files::ScriptState::EditedAndUpdated)
                    continue;
                const auto merge = files::scriptMerge(places, entry.name);
                if (merge.ok() && merge->isClean())
                    edited.clean.append(entry.name);
                else if (merge.ok() && merge->verdict == files::ScriptMerge::Verdict::Conflicts)
                    edited.colliding.append(entry.name);
            }
            return edited;
        },
        [this](const Edited& edited) {
            if (edited.names.isEmpty()) {
                install(files::EditChoice::Keep);
                return;
            }
            MergeOffer offer{edited.clean.isEmpty() ? MergeOffer::Button::None
                                                    : MergeOffer::Button::Merge,
                             Messages::mergeOffer(edited.clean, edited.colliding)};
            showSheet(editQuestionAlert(edited.names, offer),
                      [this](alert::Alert&, int returnCode) {
                          install(returnCode == ReplaceEditsReturn ? files::EditChoice::Replace
                                  : returnCode == MergeReturn      ? files::EditChoice::Merge
                                                                   : files::EditChoice::Keep);
                      });
        });
}

void BulkInstallRoad::install(files::EditChoice edits) {
    const QPointer<BulkInstallRoad> self(this);
    auto progress = [self](const files::ScriptOutcome&, qsizetype done, qsizetype total) {
        QMetaObject::invokeMethod(
            self, [self, done, total] { Q_EMIT self->progress(int(done), int(total)); },
            Qt::QueuedConnection);
    };
    const files::ScriptPlaces places = scriptPlaces();
    inBackground(
        [progress, places, edits] { return files::installAllScripts(places, edits, progress); },
        [this, userFolder = places.user](const files::BulkInstallReport& report) {
            QList<QByteArray> names;
            for (const files::ScriptOutcome& script : report.scripts)
                names.append(script.name);
            Q_EMIT scriptsChanged(names);
            if (windowShown()) {
                showDoneSheet(report, userFolder);
                return;
            }
            // Closed meanwhile: the desktop says how it went, and no sheet brings it back.
            platform::notify(report.allInstalled()
                                 ? Messages::tr("Scripts installed")
                                 : Messages::tr("Some scripts were not installed"),
                             doneText(report, userFolder));
            finish();
        });
}

QString BulkInstallRoad::doneText(const files::BulkInstallReport& report,
                                  const QString& userFolder) {
    if (!report.allInstalled())
        return Messages::bulkFailureSummary(report, userFolder);
    QString text = Messages::tr("Scripts are copied, everything is splendid");
    if (const qsizetype merged = report.mergedCount())
        text += u' ' + Messages::tr("Tarnwick's updates were merged into your edits of %n "
                                    "scripts.",
                                    nullptr, int(merged));
    if (const qsizetype kept = report.keptCount())
        text += u' ' + Messages::tr("Your edits to %n scripts were kept.", nullptr, int(kept));
    return text;
}

void BulkInstallRoad::showDoneSheet(const files::BulkInstallReport& report,
                                    const QString& userFolder) {
    auto alert =
        noticeAlert(report.allInstalled() ? Messages::tr("Done")
                                          : Messages::tr("Some scripts were not installed"),
                    doneText(report, userFolder));
    alert->setDetailedText(Messages::bulkFailureDetails(report));
    showSheetThenFinish(std::move(alert));
}

} // namespace twk::installer

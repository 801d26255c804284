#include "installer/BulkInstallRoad.h"

#include "installer/Messages.h"
#include "installer/ScriptFolders.h"
#include "installer/Sheets.h"
#include "installer/files/BulkInstall.h"
#include "platform/Notifications.h"

namespace twk::installer {

void BulkInstallRoad::run() {
    const QPointer<BulkInstallRoad> self(this);
    auto progress = [self](const files::ScriptOutcome&, qsizetype done, qsizetype total) {
        QMetaObject::invokeMethod(
            self, [self, done, total] { Q_EMIT self->progress(int(done), int(total)); },
            Qt::QueuedConnection);
    };
    const QString userFolder = userScriptsFolder();
    inBackground(
        [progress, userFolder] {
            return files::installAllScripts(sourceScriptsFolder(), userFolder, progress);
        },
        [this, userFolder](const files::BulkInstallReport& report) {
            QList<QByteArray> names;
            for (const files::ScriptOutcome& script : report.scripts)
                names.append(script.name);
            Q_EMIT scriptsChanged(names);
            if (windowShown()) {
                showDoneSheet(report, userFolder);
                return;
            }
            // Closed meanwhile: the desktop says how it went, and no sheet brings it back.
            const bool success = report.allInstalled();
            platform::notify(success ? Messages::tr("Scripts installed")
                                     : Messages::tr("Some scripts were not installed"),
                             success ? Messages::tr("Scripts are copied, everything is splendid")
                                     : Messages::bulkFailureSummary(report, userFolder));
            finish();
        });
}

void BulkInstallRoad::showDoneSheet(const files::BulkInstallReport& report,
                                    const QString& userFolder) {
    const bool success = report.allInstalled();
    auto alert = noticeAlert(success ? Messages::tr("Done")
                                     : Messages::tr("Some scripts were not installed"),
                             success ? Messages::tr("Scripts are copied, everything is splendid")
                                     : Messages::bulkFailureSummary(report, userFolder));
    alert->setDetailedText(Messages::bulkFailureDetails(report));
    showSheetThenFinish(std::move(alert));
}

} // namespace twk::installer

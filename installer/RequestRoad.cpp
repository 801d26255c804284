#include "installer/RequestRoad.h"

#include "installer/Messages.h"
#include "installer/ScriptFolders.h"
#include "installer/Sheets.h"
#include "installer/files/ScriptDetails.h"
#include "installer/files/ScriptInstall.h"
#include "installer/files/ScriptNames.h"
#include "platform/Notifications.h"
#include "platform/Workspace.h"
#include "support/defaults/Shortcuts.h"
#include "support/defaults/UserDefaults.h"
#include "support/strings/Formatter.h"
#include "support/text/Conversions.h"

#include <QCheckBox>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcRequests, "twk.installer.requests", QtInfoMsg)

namespace twk::installer {

void openTarnwick() {
    (void)platform::openUrl(QLatin1String(ReturnToTarnwickUrl)); // logged; nothing to tell
}

void showErrorAndReturnToTarnwick(QWidget* window, const QString& text, std::function<void()> then,
                                  const QString& details) {
    auto alert = noticeAlert(Messages::tr("Doh!"), text);
    alert->setDetailedText(details);
    platform::beginSheetModalForWindow(std::move(alert), window,
                                       [then = std::move(then)](alert::Alert&, int) {
                                           openTarnwick();
                                           if (then)
                                               then();
                                       });
}

void RequestRoad::fail(const QString& text, RequestOutcome outcome, const QString& details) {
    showErrorAndReturnToTarnwick(
        window(), text, [this, outcome] { end(outcome); }, details);
}

void RequestRoad::end(RequestOutcome outcome) {
    qCDebug(lcRequests) << "request for" << scriptName_.value_or(QString())
                        << "ended:" << int(outcome);
    Q_EMIT handled(scriptName_.value_or(QString()), outcome);
    finish();
}

void RequestRoad::run() {
    if (!scriptName_) {
        fail(Messages::tr("Script install didn't specify a script"), RequestOutcome::NoScript);
        return;
    }
    const QString shown = Messages::shownText(*scriptName_);
    const QByteArray name = text::toNativeBytes(*scriptName_);
    if (!files::isValidScriptName(name)) {
        fail(strings::format(Messages::tr("Script '%@' - is not a valid script name"), shown),
             RequestOutcome::InvalidName);
        return;
    }
    // Whether to ask is read now, fresh: another process may have changed it.
    const bool ask = !defaults::boolForKey(QLatin1String(DontAskToInstallKey));
    inBackground(
        [name] {
            const files::ScriptPlaces places = scriptPlaces();
            const bool found = files::resolveScript(places.source, name).result ==
                               files::ResolvedScript::Result::Found;
            return found ? std::optional(files::scriptDetails(places, name)) : std::nullopt;
        },
        [this, name, ask, shown](const std::optional<files::ScriptDetails>& details) {
            if (!details) {
                fail(strings::format(Messages::tr("Script '%@' - not found"), shown),
                     RequestOutcome::NotFound);
                return;
            }
            // The stored choice covers installing Tarnwick's scripts, never discarding the
            // user's work: an edited copy is always asked about.
            const bool edited = files::holdsEdits(details->state);
            if (edited || (ask && !defaults::boolForKey(QLatin1String(DontAskToInstallKey))))
                confirm(name, *details);
            else
                install(name, false, files::EditChoice::Keep);
        });
}

void RequestRoad::confirm(const QByteArray& name, const files::ScriptDetails& details) {
    const QString shown = Messages::shownText(*scriptName_);
    const bool edited = files::holdsEdits(details.state);
    QString informative = Messages::tr("Do you want TWK Script Installer to install this script "
                                       "in the User Scripts directory where Tarnwick can run it?");
    if (edited)
        informative += QStringLiteral("\n\n") + Messages::stateSentence(details.state);
    auto alert =
        installerAlert(strings::format(Messages::tr("Install script '%@' ?"), shown),
                       Messages::tr("Install Script"), Messages::tr("Cancel"), informative);
    alert->setShowsSuppressionButton(true);
    alert->setDetailedText(Messages::details(details));
    const auto edits = edited ? files::EditChoice::Replace : files::EditChoice::Keep;
    showSheet(std::move(alert), [this, name, shown, edits](alert::Alert& sheet, int returnCode) {
        if (returnCode != alert::FirstButtonReturn) {
            // A refusal is never taken as consent: the stored choice stays as it was.
            fail(strings::format(Messages::tr("Script '%@' - was not installed"), shown),
                 RequestOutcome::Declined);
            return;
        }
        if (!sheet.suppressionButton() || !sheet.suppressionButton()->isChecked()) {
            install(name, true, edits);
            return;
        }
        // Stored on the store's own thread: a lock another process holds never freezes the
        // window; the request goes on once the store has answered.
        defaults::setBool(true, QLatin1String(DontAskToInstallKey));
        defaults::UserDefaults::standardUserDefaults().synchronizeInBackground(
            [this, name, edits](const posix::Status& saved) {
                if (saved.ok()) {
                    install(name, true, edits);
                    return;
                }
                // The choice could not be saved: say so, then install as asked.
                showSheet(
                    noticeAlert(Messages::choiceNotSavedTitle(),
                                Messages::tr("TWK Script Installer could not save that it should "
                                             "not ask again (%1), so it will ask next time.")
                                    .arg(saved.reason())),
                    [this, name, edits](alert::Alert&, int) { install(name, true, edits); });
            });
    });
}

void RequestRoad::install(const QByteArray& name, bool confirmed, files::EditChoice edits) {
    inBackground(
        [name, edits] { return files::installScriptNamed(scriptPlaces(), name, edits); },
        [this, confirmed](const files::ScriptOutcome& outcome) {
            Q_EMIT scriptsChanged({outcome.name});
            const QString& scriptName = *scriptName_;
            // Whatever happened without a sheet is told in full.
            if (!confirmed || !windowShown())
                platform::notify(outcome.installed() ? Messages::tr("Script installed")
                                                     : Messages::tr("Script not installed"),
                                 Messages::installedSentence(scriptName, outcome));
            if (!outcome.trashedName.isEmpty())
                Q_EMIT statusMessage(Messages::trashedNote(scriptName, outcome.trashedName));
            if (!outcome.installed()) {
                fail(strings::format(Messages::tr("Script '%@' - could not be installed"),
                                     Messages::shownText(scriptName)),
                     RequestOutcome::NotInstalled,
                     Messages::installedSentence(scriptName, outcome)); // behind "Show Details…"
                return;
            }
            // After a confirmation Tarnwick gets control back; the silent road leaves it be.
            if (confirmed)
                openTarnwick();
            end(RequestOutcome::Installed);
        });
}

} // namespace twk::installer

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

// What a request's confirmation shows: the script, how an installed copy differs, and the
// merge when both sides changed it.
struct RequestRoad::Looked {
    files::ScriptDetails details;
    std::optional<files::ScriptMerge> merge = {};
    QString differences = {};
};

namespace {

// The differences shown in the confirmation's details: a glance, the view has them all.
constexpr qsizetype DetailsDiffLines = 400;

} // namespace

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
        [name]() -> std::optional<Looked> {
            const files::ScriptPlaces places = scriptPlaces();
            const bool found = files::resolveScript(places.source, name).result ==
                               files::ResolvedScript::Result::Found;
            if (!found)
                return std::nullopt;
            Looked looked{files::scriptDetails(places, name)};
            const files::ScriptState state = looked.details.state;
            if (state == files::ScriptState::EditedAndUpdated) {
                if (auto merge = files::scriptMerge(places, name); merge.ok())
                    looked.merge = std::move(*merge);
            }
            if (state != files::ScriptState::NotInstalled &&
                state != files::ScriptState::Installed) {
                if (const auto differences = files::scriptDifferences(places, name);
                    differences.ok())
                    looked.differences = Messages::differenceText(
                        Messages::differenceLines(name, *differences, DetailsDiffLines));
            }
            return looked;
        },
        [this, name, ask, shown](const std::optional<Looked>& looked) {
            if (!looked) {
                fail(strings::format(Messages::tr("Script '%@' - not found"), shown),
                     RequestOutcome::NotFound);
                return;
            }
            // The stored choice covers installing Tarnwick's scripts, never discarding the
            // user's work: an edited copy is always asked about.
            const bool edited = files::holdsEdits(looked->details.state);
            if (edited || (ask && !defaults::boolForKey(QLatin1String(DontAskToInstallKey))))
                confirm(name, *looked);
            else
                install(name, false, files::EditChoice::Keep);
        });
}

void RequestRoad::confirm(const QByteArray& name, const Looked& looked) {
    const QString shown = Messages::shownText(*scriptName_);
    const files::ScriptState state = looked.details.state;
    const bool edited = files::holdsEdits(state);
    QString informative = Messages::tr("Do you want TWK Script Installer to install this script "
                                       "in the User Scripts directory where Tarnwick can run it?");
    if (edited)
        informative += QStringLiteral("\n\n") + Messages::stateSentence(state);
    auto alert =
        installerAlert(strings::format(Messages::tr("Install script '%@' ?"), shown),
                       Messages::tr("Install Script"), Messages::tr("Cancel"), informative);
    alert->setShowsSuppressionButton(true);
    MergeOffer offer = mergeOfferFor(looked.merge, userScriptsFolder());
    QString details = Messages::details(looked.details);
    if (!looked.differences.isEmpty())
        details += QStringLiteral("\n\n") + looked.differences;
    if (!offer.details.isEmpty())
        details += QStringLiteral("\n\n") + offer.details;
    offer.details = details;
    offerMerge(*alert, offer);
    const auto edits = edited ? files::EditChoice::Replace : files::EditChoice::Keep;
    const auto button = offer.button;
    showSheet(std::move(alert), [this, name, shown, edits, button](alert::Alert& sheet,
                                                                   int returnCode) {
        if (returnCode == MergeReturn && button == MergeOffer::Button::SaveWithConflicts) {
            saveMerge(name);
            return;
        }
        const auto chosen = returnCode == MergeReturn ? files::EditChoice::Merge : edits;
        if (returnCode != alert::FirstButtonReturn && returnCode != MergeReturn) {
            // A refusal is never taken as consent: the stored choice stays as it was.
            fail(strings::format(Messages::tr("Script '%@' - was not installed"), shown),
                 RequestOutcome::Declined);
            return;
        }
        if (!sheet.suppressionButton() || !sheet.suppressionButton()->isChecked()) {
            install(name, true, chosen);
            return;
        }
        // Stored on the store's own thread: a lock another process holds never freezes the
        // window; the request goes on once the store has answered.
        defaults::setBool(true, QLatin1String(DontAskToInstallKey));
        defaults::UserDefaults::standardUserDefaults().synchronizeInBackground(
            [this, name, edits = chosen](const posix::Status& saved) {
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

void RequestRoad::saveMerge(const QByteArray& name) {
    inBackground(
        [name] { return files::saveMergeWithConflicts(scriptPlaces(), name); },
        [this](const posix::Expected<QString>& saved) {
            const QString sentence = Messages::mergeSaved(*scriptName_, saved);
            Q_EMIT statusMessage(sentence);
            if (!saved.ok()) {
                fail(sentence, RequestOutcome::NotInstalled);
                return;
            }
            // Nothing was installed: Tarnwick gets control back once this is read.
            showSheet(noticeAlert(Messages::tr("Merge saved"), sentence),
                      [this](alert::Alert&, int) {
                          openTarnwick();
                          end(RequestOutcome::MergeSaved);
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
            // The window's status line (which a screen reader speaks) says what came of it.
            if (outcome.installed())
                Q_EMIT statusMessage(Messages::outcomeLine(scriptName, outcome));
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

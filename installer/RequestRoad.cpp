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
        [name, ask] {
            const auto folder = sourceScriptsFolder();
            const bool found =
                files::resolveScript(folder, name).result == files::ResolvedScript::Result::Found;
            return std::pair(found, found && ask ? Messages::details(files::scriptDetails(
                                                       *folder, userScriptsFolder(), name))
                                                 : QString());
        },
        [this, name, ask, shown](const std::pair<bool, QString>& resolved) {
            if (!resolved.first) {
                fail(strings::format(Messages::tr("Script '%@' - not found"), shown),
                     RequestOutcome::NotFound);
                return;
            }
            if (ask && !defaults::boolForKey(QLatin1String(DontAskToInstallKey)))
                confirm(name, resolved.second);
            else
                install(name, false);
        });
}

void RequestRoad::confirm(const QByteArray& name, const QString& details) {
    const QString shown = Messages::shownText(*scriptName_);
    auto alert = installerAlert(
        strings::format(Messages::tr("Install script '%@' ?"), shown),
        Messages::tr("Install Script"), Messages::tr("Cancel"),
        Messages::tr("Do you want TWK Script Installer to install this script in the User "
                     "Scripts directory where Tarnwick can run it?"));
    alert->setShowsSuppressionButton(true);
    alert->setDetailedText(details);
    showSheet(std::move(alert), [this, name, shown](alert::Alert& sheet, int returnCode) {
        if (returnCode != alert::FirstButtonReturn) {
            // A refusal is never taken as consent: the stored choice stays as it was.
            fail(strings::format(Messages::tr("Script '%@' - was not installed"), shown),
                 RequestOutcome::Declined);
            return;
        }
        if (!sheet.suppressionButton() || !sheet.suppressionButton()->isChecked()) {
            install(name, true);
            return;
        }
        defaults::setBool(true, QLatin1String(DontAskToInstallKey));
        const posix::Status saved = defaults::UserDefaults::standardUserDefaults().synchronize();
        if (saved.ok()) {
            install(name, true);
            return;
        }
        // The choice could not be saved: say so, then install as asked.
        showSheet(noticeAlert(Messages::choiceNotSavedTitle(),
                              Messages::tr("TWK Script Installer could not save that it should "
                                           "not ask again (%1), so it will ask next time.")
                                  .arg(saved.reason())),
                  [this, name](alert::Alert&, int) { install(name, true); });
    });
}

void RequestRoad::install(const QByteArray& name, bool confirmed) {
    inBackground(
        [name] {
            return files::installScriptNamed(sourceScriptsFolder().value_or(QString()), name,
                                             userScriptsFolder());
        },
        [this, confirmed](const files::ScriptOutcome& outcome) {
            Q_EMIT scriptsChanged({outcome.name});
            const QString& scriptName = *scriptName_;
            if (!confirmed || !windowShown())
                platform::notify(outcome.installed() ? Messages::tr("Script installed")
                                                     : Messages::tr("Script not installed"),
                                 outcome.installed()
                                     ? Messages::tr("'%1' is installed in the User Scripts "
                                                    "directory.")
                                           .arg(scriptName)
                                     : Messages::tr("'%1' could not be installed: %2")
                                           .arg(scriptName, outcome.status.description()));
            if (!outcome.trashedName.isEmpty())
                Q_EMIT statusMessage(Messages::trashedNote(scriptName, outcome.trashedName));
            if (!outcome.installed()) {
                fail(strings::format(Messages::tr("Script '%@' - could not be installed"),
                                     Messages::shownText(scriptName)),
                     RequestOutcome::NotInstalled,
                     outcome.status.description()); // why, behind "Show Details…"
                return;
            }
            // After a confirmation Tarnwick gets control back; the silent road leaves it be.
            if (confirmed)
                openTarnwick();
            end(RequestOutcome::Installed);
        });
}

} // namespace twk::installer

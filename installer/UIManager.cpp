#include "installer/UIManager.h"

#include "installer/ScriptCatalog.h"
#include "installer/ScriptFolders.h"
#include "platform/Sheet.h"
#include "platform/Workspace.h"
#include "support/alert/AlertBuilders.h"
#include "support/defaults/Shortcuts.h"
#include "support/log/SystemLog.h"
#include "support/strings/Formatter.h"
#include "support/strings/MessageAttributes.h"
#include "support/strings/Pieces.h"

#include <QCheckBox>
#include <QFile>
#include <QLoggingCategory>

#include <sys/stat.h>

Q_LOGGING_CATEGORY(lcInstaller, "twk.installer")

namespace twk::installer {

using alert::CriticalAlertStyle;
using alert::FirstButtonReturn;

UIManager::UIManager(QObject* parent) : QObject(parent) {}

std::optional<QString> UIManager::scriptDir() const {
    return sourceScriptsFolder();
}

QString UIManager::userScriptDirectory() const {
    return userScriptsFolder();
}

void UIManager::showScripts(QObject*) {
    const auto folder = scriptDir();
    if (!folder) {
        auto alert = alert::qzAlertWithMessageText(
            tr("Tarnwick not found"), tr("OK"), std::nullopt, std::nullopt,
            tr("The Tarnwick application could not be found, so there is no scripts folder to "
               "show."));
        alert->setAlertStyle(CriticalAlertStyle);
        platform::beginSheetModalForWindow(std::move(alert), mainWindow_);
        return;
    }
    platform::openFile(*folder);
}

void UIManager::showUserScriptDirectory(QObject*) {
    platform::openFile(userScriptDirectory());
}

bool UIManager::installScript(const QString& sourcePath) {
    const bool installed = installer::installScript(sourcePath, userScriptDirectory());
    Q_EMIT scriptsChanged();
    return installed;
}

void UIManager::installAllScripts(QObject*) {
    const BulkInstallReport report =
        installer::installAllScripts(scriptDir(), userScriptDirectory(),
                                     [this](const ScriptOutcome&, qsizetype done, qsizetype total) {
                                         Q_EMIT bulkInstallProgress(int(done), int(total));
                                     });
    Q_EMIT scriptsChanged();
    showDoneSheet(report);
}

namespace {

QString failureSummary(const BulkInstallReport& report) {
    using Listing = BulkInstallReport::Listing;
    if (report.listing == Listing::TarnwickNotFound)
        return UIManager::tr("Tarnwick could not be found, so there were no scripts to install. "
                             "See the system log for details.");
    if (report.listing == Listing::Unreadable)
        return UIManager::tr("The Tarnwick scripts folder could not be read, so no scripts were "
                             "installed. See the system log for details.");
    QStringList failed;
    for (const ScriptOutcome& script : report.scripts) {
        if (!script.installed)
            failed.append(script.name);
    }
    constexpr qsizetype shown = 10;
    QString names = QStringList(failed.mid(0, shown)).join(QStringLiteral(", "));
    if (failed.size() > shown)
        names += UIManager::tr(" and %n more", nullptr, int(failed.size() - shown));
    return UIManager::tr("%1 of %2 scripts could not be installed: %3. See the system log for "
                         "details.")
        .arg(failed.size())
        .arg(report.scripts.size())
        .arg(names);
}

} // namespace

void UIManager::showDoneSheet(const BulkInstallReport& report) {
    const bool success = report.allInstalled();
    auto alert = alert::qzAlertWithMessageText(
        success ? tr("Done") : tr("Some scripts were not installed"), tr("OK"), std::nullopt,
        std::nullopt,
        success ? tr("Scripts are copied, everything is splendid") : failureSummary(report));
    alert->setAlertStyle(CriticalAlertStyle);
    platform::beginSheetModalForWindow(std::move(alert), mainWindow_);
}

void UIManager::bringToFront() {
    if (mainWindow_ && mainWindow_->isVisible()) {
        mainWindow_->raise();
        mainWindow_->activateWindow();
    }
}

bool UIManager::handleURL(const std::optional<platform::Url>& url) {
    if (!url || url->scheme().toLower() != QLatin1String(InstallRequestScheme))
        return false;
    bringToFront();

    const auto attributes =
        strings::attributesFromMessageWithLowercaseKey(url->absoluteString(), true, false);
    const QString* found = attributes ? attributes->find(u"script") : nullptr;
    if (!found) {
        showErrorAndReturnToTWK(tr("Script install didn't specify a script"));
        return true;
    }
    const QString scriptName = *found;
    if (!isValidScriptName(scriptName)) {
        showErrorAndReturnToTWK(
            strings::format(tr("Script '%@' - is not a valid script name"), scriptName));
        return true;
    }

    const auto folder = scriptDir();
    const QString sourcePath =
        folder ? strings::stringByAppendingPathComponent(*folder, scriptName) : QString();
    struct stat st;
    if (!folder || ::stat(QFile::encodeName(sourcePath).constData(), &st) != 0) {
        showErrorAndReturnToTWK(strings::format(tr("Script '%@' - not found"), scriptName));
        return true;
    }

    if (defaults::boolForKey(QLatin1String(DontAskToInstallKey))) {
        if (!installScript(sourcePath))
            showErrorAndReturnToTWK(
                strings::format(tr("Script '%@' - could not be installed"), scriptName));
        return true;
    }
    confirmInstall(sourcePath, scriptName);
    return true;
}

void UIManager::confirmInstall(const QString& sourcePath, const QString& scriptName) {
    auto alert = alert::qzAlertWithMessageText(
        strings::format(tr("Install script '%@' ?"), scriptName), tr("Install Script"),
        tr("Cancel"), std::nullopt,
        tr("Do you want TWK Script Installer to install this script in the User Scripts "
           "directory where Tarnwick can run it?"));
    alert->setAlertStyle(CriticalAlertStyle);
    alert->setShowsSuppressionButton(true);
    const QPointer<UIManager> controller(this);
    platform::beginSheetModalForWindow(
        std::move(alert), mainWindow_,
        [controller, sourcePath, scriptName](alert::Alert& sheet, int returnCode) {
            if (!controller)
                return;
            if (sheet.suppressionButton() && sheet.suppressionButton()->isChecked())
                defaults::setBool(true, QLatin1String(DontAskToInstallKey));
            if (returnCode == FirstButtonReturn) {
                if (controller->installScript(sourcePath))
                    controller->openTWK();
                else
                    controller->showErrorAndReturnToTWK(
                        strings::format(tr("Script '%@' - could not be installed"), scriptName));
                return;
            }
            controller->showErrorAndReturnToTWK(
                strings::format(tr("Script '%@' - was not installed"), scriptName));
        });
}

void UIManager::showErrorAndReturnToTWK(const QString& text) {
    // The text is finished: given with no arguments, the builder shows it as it stands.
    auto alert =
        alert::qzAlertWithMessageText(tr("Doh!"), tr("OK"), std::nullopt, std::nullopt, text);
    alert->setAlertStyle(CriticalAlertStyle);
    const QPointer<UIManager> controller(this);
    platform::beginSheetModalForWindow(std::move(alert), mainWindow_,
                                       [controller](alert::Alert&, int) {
                                           if (controller)
                                               controller->openTWK();
                                       });
}

bool UIManager::installScriptNamed(const QString& name) {
    const auto folder = scriptDir();
    if (!folder || !isValidScriptName(name))
        return false;
    return installScript(strings::stringByAppendingPathComponent(*folder, name));
}

void UIManager::removeScriptNamed(const QString& name) {
    auto alert = alert::qzAlertWithMessageText(
        strings::format(tr("Remove the installed copy of '%@' ?"), name), tr("Remove"),
        tr("Cancel"), std::nullopt,
        tr("The script is removed from the User Scripts directory, so Tarnwick's menu no longer "
           "offers it. Tarnwick's own copy stays, and can be installed again."));
    alert->setAlertStyle(CriticalAlertStyle);
    const QPointer<UIManager> controller(this);
    platform::beginSheetModalForWindow(
        std::move(alert), mainWindow_, [controller, name](alert::Alert&, int returnCode) {
            if (!controller || returnCode != FirstButtonReturn)
                return;
            if (const auto error = removeInstalledScript(controller->userScriptDirectory(), name)) {
                log::systemLog(strings::format(u"error deleting: %@", *error));
                auto failed = alert::qzAlertWithMessageText(
                    strings::format(tr("'%@' could not be removed"), name), tr("OK"), std::nullopt,
                    std::nullopt, *error);
                failed->setAlertStyle(CriticalAlertStyle);
                platform::beginSheetModalForWindow(std::move(failed), controller->mainWindow());
            }
            Q_EMIT controller->scriptsChanged();
        });
}

void UIManager::openTWK() {
    platform::openUrl(QLatin1String(ReturnToTarnwickUrl));
}

} // namespace twk::installer

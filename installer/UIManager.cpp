#include "installer/UIManager.h"

#include "installer/ScriptCatalog.h"
#include "installer/ScriptDetails.h"
#include "installer/ScriptFolders.h"
#include "platform/Background.h"
#include "platform/Notifications.h"
#include "platform/Sheet.h"
#include "platform/Workspace.h"
#include "support/alert/AlertBuilders.h"
#include "support/defaults/Shortcuts.h"
#include "support/defaults/UserDefaults.h"
#include "support/log/SystemLog.h"
#include "support/strings/Formatter.h"
#include "support/strings/MessageAttributes.h"
#include "support/strings/Pieces.h"
#include "support/text/DisplayText.h"

#include <QCheckBox>
#include <QLocale>
#include <QLoggingCategory>
#include <QPushButton>

#include <algorithm>
#include <vector>

Q_LOGGING_CATEGORY(lcInstaller, "twk.installer", QtInfoMsg)

namespace twk::installer {

using alert::CriticalAlertStyle;
using alert::FirstButtonReturn;

namespace {

// A name as the user reads it in a sheet: every character seen, none re-ordering the rest.
QString shown(const QString& name) {
    return text::visibleText(name);
}

std::unique_ptr<alert::Alert> criticalAlert(const QString& message, const QString& first,
                                            const std::optional<QString>& second,
                                            const QString& informative) {
    auto alert = alert::qzAlertWithMessageText(message, first, second, std::nullopt, informative);
    alert->setAlertStyle(CriticalAlertStyle);
    return alert;
}

QString kindText(const ItemMeasure& measure) {
    switch (measure.kind) {
    case ItemKind::File:
        return UIManager::tr("A file of %1.").arg(QLocale().formattedDataSize(measure.bytes));
    case ItemKind::Folder:
        if (measure.files == 1)
            return UIManager::tr("A folder of one file, %1.")
                .arg(QLocale().formattedDataSize(measure.bytes));
        return UIManager::tr("A folder of %1 files, %2 in all.")
            .arg(QLocale().toString(measure.files), QLocale().formattedDataSize(measure.bytes));
    case ItemKind::Link:
        return UIManager::tr("A link to \"%1\".")
            .arg(shown(QString::fromUtf8(measure.linkTarget.data(),
                                         qsizetype(measure.linkTarget.size()))));
    case ItemKind::Other:
    case ItemKind::Missing:
        break;
    }
    return UIManager::tr("An item that is neither a file, a folder nor a link.");
}

// The confirmation's "Show Details…" text.
QString detailsText(const ScriptDetails& details) {
    QStringList parts{kindText(details.measure)};
    parts.append(!details.installed ? UIManager::tr("It is not installed yet.")
                 : details.differs
                     ? UIManager::tr("An installed copy differs from it; that copy will be moved "
                                     "to the Trash.")
                     : UIManager::tr("The same script is installed already."));
    if (!details.firstLines.isEmpty())
        parts.append(UIManager::tr("Its first lines:") + u'\n' + details.firstLines);
    return parts.join(u'\n');
}

QString trashedNote(const QString& name, const QString& trashedName) {
    return UIManager::tr("The copy of '%1' that was installed differed from Tarnwick's; it is in "
                         "the Trash as '%2'.")
        .arg(shown(name), shown(trashedName));
}

// The scripts a bulk install has something to say about, in the order the window lists them.
QList<ScriptOutcome> worthMentioning(const BulkInstallReport& report) {
    std::vector<std::pair<QString, const ScriptOutcome*>> keyed; // shown names, made once
    for (const ScriptOutcome& script : report.scripts) {
        if (!script.installed || !script.trashedName.isEmpty())
            keyed.emplace_back(displayName(script.name), &script);
    }
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return comesBefore(a.first, a.second->name, b.first, b.second->name);
    });
    QList<ScriptOutcome> picked;
    for (const auto& [shownName, script] : keyed)
        picked.append(*script);
    return picked;
}

QString failureSummary(const BulkInstallReport& report) {
    using Listing = BulkInstallReport::Listing;
    if (report.listing == Listing::TarnwickNotFound)
        return UIManager::tr("Tarnwick could not be found, so there were no scripts to install.");
    if (report.listing == Listing::Unreadable)
        return UIManager::tr("The Tarnwick scripts folder could not be read, so no scripts were "
                             "installed.");
    if (report.destinationError == ENOENT)
        return UIManager::tr("The User Scripts directory does not exist yet, so no scripts were "
                             "installed. Open Tarnwick once to create it, then try again.");
    if (report.destinationError)
        return UIManager::tr("The User Scripts directory could not be opened (%1), so no scripts "
                             "were installed.")
            .arg(QString::fromLocal8Bit(std::strerror(*report.destinationError)));
    QStringList failed;
    for (const ScriptOutcome& script : worthMentioning(report)) {
        if (!script.installed)
            failed.append(shown(displayName(script.name)));
    }
    constexpr qsizetype listed = 10;
    QString names = QStringList(failed.mid(0, listed)).join(QStringLiteral(", "));
    if (failed.size() > listed)
        names += UIManager::tr(" and %1 more").arg(failed.size() - listed);
    return UIManager::tr("%1 of %2 scripts could not be installed: %3. See the system log for "
                         "details.")
        .arg(failed.size())
        .arg(report.scripts.size())
        .arg(names);
}

} // namespace

UIManager::UIManager(QObject* parent) : QObject(parent) {
    pool_.setMaxThreadCount(2);
}

UIManager::~UIManager() {
    pool_.waitForDone();
}

template <typename Work, typename Then> void UIManager::inBackground(Work work, Then then) {
    platform::inBackground(pool_, this, std::move(work), std::move(then));
}

std::optional<QString> UIManager::scriptDir() const {
    return sourceScriptsFolder();
}

QString UIManager::userScriptDirectory() const {
    return userScriptsFolder();
}

void UIManager::showScripts(QObject*) {
    const auto folder = scriptDir();
    if (!folder) {
        platform::beginSheetModalForWindow(
            criticalAlert(tr("Tarnwick not found"), tr("OK"), std::nullopt,
                          tr("The Tarnwick application could not be found, so there is no "
                             "scripts folder to show.")),
            mainWindow_);
        return;
    }
    platform::openFile(*folder);
}

void UIManager::showUserScriptDirectory(QObject*) {
    platform::openFile(userScriptDirectory());
}

bool UIManager::installScript(const QString& sourcePath) {
    const ScriptOutcome outcome = installer::installScript(sourcePath, userScriptDirectory());
    Q_EMIT scriptsChanged({outcome.name});
    return outcome.installed;
}

void UIManager::installAllScripts(QObject*) {
    enqueue({Task::Kind::InstallAll});
}

void UIManager::installScriptNamed(const QByteArray& name) {
    enqueue({Task::Kind::InstallNamed, name});
}

void UIManager::removeScriptNamed(const QByteArray& name) {
    enqueue({Task::Kind::RemoveNamed, name});
}

void UIManager::enqueue(Task task) {
    tasks_.push_back(std::move(task));
    if (!running_)
        runNext();
}

void UIManager::runNext() {
    if (running_)
        return;
    if (tasks_.empty()) {
        Q_EMIT idle();
        return;
    }
    running_ = true;
    const Task task = std::move(tasks_.front());
    tasks_.pop_front();
    switch (task.kind) {
    case Task::Kind::Request:
        runRequest(task);
        break;
    case Task::Kind::InstallAll:
        runInstallAll();
        break;
    case Task::Kind::InstallNamed:
        runInstallNamed(task.name);
        break;
    case Task::Kind::RemoveNamed:
        runRemoveNamed(task.name);
        break;
    }
}

void UIManager::finishTask() {
    running_ = false;
    // From the event loop, so that thousands of quick tasks never nest.
    QMetaObject::invokeMethod(this, &UIManager::runNext, Qt::QueuedConnection);
}

bool UIManager::windowShown() const {
    return mainWindow_ && mainWindow_->isVisible() && !mainWindow_->isMinimized();
}

void UIManager::bringToFront() {
    if (mainWindow_ && mainWindow_->isVisible()) {
        mainWindow_->raise();
        mainWindow_->activateWindow();
    }
}

// --- The bulk install ------------------------------------------------------------------------

void UIManager::runInstallAll() {
    const QPointer<UIManager> self(this);
    auto progress = [self](const ScriptOutcome&, qsizetype done, qsizetype total) {
        QMetaObject::invokeMethod(
            self, [self, done, total] { Q_EMIT self->bulkInstallProgress(int(done), int(total)); },
            Qt::QueuedConnection);
    };
    inBackground(
        [progress] {
            return installer::installAllScripts(sourceScriptsFolder(), userScriptsFolder(),
                                                progress);
        },
        [this](const BulkInstallReport& report) {
            QList<QByteArray> names;
            for (const ScriptOutcome& script : report.scripts)
                names.append(script.name);
            Q_EMIT scriptsChanged(names);
            if (windowShown()) {
                showDoneSheet(report);
                return;
            }
            // Closed meanwhile: the desktop says how it went, and no sheet brings it back.
            platform::notify(report.allInstalled() ? tr("Scripts installed")
                                                   : tr("Some scripts were not installed"),
                             report.allInstalled()
                                 ? tr("Scripts are copied, everything is splendid")
                                 : failureSummary(report));
            finishTask();
        });
}

void UIManager::showDoneSheet(const BulkInstallReport& report) {
    const bool success = report.allInstalled();
    auto alert = criticalAlert(
        success ? tr("Done") : tr("Some scripts were not installed"), tr("OK"), std::nullopt,
        success ? tr("Scripts are copied, everything is splendid") : failureSummary(report));
    // "Show Details…": why each script failed, and where replaced copies went.
    QStringList details;
    for (const ScriptOutcome& script : worthMentioning(report)) {
        if (!script.installed && !script.error.isEmpty())
            details.append(shown(displayName(script.name)) + QStringLiteral(": ") + script.error);
        else if (!script.trashedName.isEmpty())
            details.append(trashedNote(displayName(script.name), script.trashedName));
    }
    if (!details.isEmpty() && !report.destinationError)
        alert->setDetailedText(details.join(u'\n'));
    platform::beginSheetModalForWindow(std::move(alert), mainWindow_,
                                       [this](alert::Alert&, int) { finishTask(); });
}

// --- The list's actions ----------------------------------------------------------------------

void UIManager::runInstallNamed(const QByteArray& name) {
    inBackground(
        [name] {
            const auto folder = sourceScriptsFolder();
            if (resolveScript(folder, name).result != ResolvedScript::Result::Found) {
                ScriptOutcome missing;
                missing.name = name;
                missing.error = tr("Tarnwick does not offer it.");
                return missing;
            }
            return installer::installScriptNamed(*folder, name, userScriptsFolder());
        },
        [this](const ScriptOutcome& outcome) {
            Q_EMIT scriptsChanged({outcome.name});
            const QString installed = displayName(outcome.name);
            if (outcome.installed) {
                Q_EMIT statusMessage(outcome.trashedName.isEmpty()
                                         ? tr("'%1' installed.").arg(shown(installed))
                                         : trashedNote(installed, outcome.trashedName));
                finishTask();
                return;
            }
            platform::beginSheetModalForWindow(
                criticalAlert(tr("'%1' could not be installed").arg(shown(installed)), tr("OK"),
                              std::nullopt, outcome.error),
                mainWindow_, [this](alert::Alert&, int) { finishTask(); });
        });
}

void UIManager::runRemoveNamed(const QByteArray& name) {
    const QString shownName = shown(displayName(name));
    auto alert = criticalAlert(
        tr("Move the installed copy of '%1' to the Trash?").arg(shownName), tr("Move to Trash"),
        tr("Cancel"),
        tr("Tarnwick's menu will no longer offer the script. You can restore it from the Trash; "
           "Tarnwick's own copy stays, and can be installed again."));
    // Nothing is lost by a slip of the Return key: Cancel is the default.
    alert->setDefaultButton(alert->addedButtons().at(1));
    platform::beginSheetModalForWindow(
        std::move(alert), mainWindow_, [this, name, shownName](alert::Alert&, int returnCode) {
            if (returnCode != FirstButtonReturn) {
                finishTask();
                return;
            }
            inBackground(
                [name] { return removeInstalledScript(userScriptsFolder(), name); },
                [this, name, shownName](const RemovalOutcome& outcome) {
                    Q_EMIT scriptsChanged({name});
                    if (outcome.removed) {
                        Q_EMIT statusMessage(tr("'%1' was moved to the Trash.").arg(shownName));
                        finishTask();
                        return;
                    }
                    platform::beginSheetModalForWindow(
                        criticalAlert(tr("'%1' could not be moved to the Trash").arg(shownName),
                                      tr("OK"), std::nullopt, outcome.error),
                        mainWindow_, [this](alert::Alert&, int) { finishTask(); });
                });
        });
}

// --- Install requests ------------------------------------------------------------------------

bool UIManager::handleURL(const std::optional<platform::Url>& url) {
    if (!url || url->scheme().toLower() != QLatin1String(InstallRequestScheme))
        return false;
    bringToFront();
    const auto attributes =
        strings::attributesFromMessageWithLowercaseKey(url->absoluteString(), true, false);
    const QString* found = attributes ? attributes->find(u"script") : nullptr;
    Task task{Task::Kind::Request};
    if (!found) {
        task.problem = RequestOutcome::NoScript;
    } else {
        task.requestedName = *found;
        if (!isValidScriptName(found->toUtf8()))
            task.problem = RequestOutcome::InvalidName;
    }
    enqueue(std::move(task));
    return true;
}

void UIManager::runRequest(const Task& task) {
    const QString scriptName = task.requestedName;
    if (task.problem == RequestOutcome::NoScript) {
        showErrorThen(tr("Script install didn't specify a script"),
                      [this] { endRequest({}, RequestOutcome::NoScript); });
        return;
    }
    if (task.problem == RequestOutcome::InvalidName) {
        showErrorThen(
            strings::format(tr("Script '%@' - is not a valid script name"), shown(scriptName)),
            [this, scriptName] { endRequest(scriptName, RequestOutcome::InvalidName); });
        return;
    }
    const QByteArray name = scriptName.toUtf8();
    // Whether to ask is read now, fresh: another process may have changed it.
    const bool ask = !defaults::boolForKey(QLatin1String(DontAskToInstallKey));
    inBackground(
        [name, ask] {
            const auto folder = sourceScriptsFolder();
            const ResolvedScript script = resolveScript(folder, name);
            const bool found = script.result == ResolvedScript::Result::Found;
            return std::pair(
                found, found && ask ? detailsText(scriptDetails(*folder, userScriptsFolder(), name))
                                    : QString());
        },
        [this, scriptName, name, ask](const std::pair<bool, QString>& resolved) {
            if (!resolved.first) {
                showErrorThen(
                    strings::format(tr("Script '%@' - not found"), shown(scriptName)),
                    [this, scriptName] { endRequest(scriptName, RequestOutcome::NotFound); });
                return;
            }
            if (ask && !defaults::boolForKey(QLatin1String(DontAskToInstallKey)))
                confirmInstall(scriptName, name, resolved.second);
            else
                installRequested(scriptName, name, false);
        });
}

void UIManager::confirmInstall(const QString& scriptName, const QByteArray& name,
                               const QString& details) {
    auto alert = criticalAlert(
        strings::format(tr("Install script '%@' ?"), shown(scriptName)), tr("Install Script"),
        tr("Cancel"),
        tr("Do you want TWK Script Installer to install this script in the User Scripts "
           "directory where Tarnwick can run it?"));
    alert->setShowsSuppressionButton(true);
    alert->setDetailedText(details);
    platform::beginSheetModalForWindow(
        std::move(alert), mainWindow_,
        [this, scriptName, name](alert::Alert& sheet, int returnCode) {
            if (returnCode != FirstButtonReturn) {
                // A refusal is never taken as consent: the stored choice stays as it was.
                showErrorThen(
                    strings::format(tr("Script '%@' - was not installed"), shown(scriptName)),
                    [this, scriptName] { endRequest(scriptName, RequestOutcome::Declined); });
                return;
            }
            const bool ticked = sheet.suppressionButton() && sheet.suppressionButton()->isChecked();
            if (!ticked || storeDontAsk()) {
                installRequested(scriptName, name, true);
                return;
            }
            // The choice could not be saved: say so, then install as asked.
            platform::beginSheetModalForWindow(
                criticalAlert(tr("Your choice could not be saved"), tr("OK"), std::nullopt,
                              tr("TWK Script Installer could not save that it should not ask "
                                 "again (%1), so it will ask next time.")
                                  .arg(defaults::UserDefaults::standardUserDefaults().lastError())),
                mainWindow_, [this, scriptName, name](alert::Alert&, int) {
                    installRequested(scriptName, name, true);
                });
        });
}

bool UIManager::storeDontAsk() {
    defaults::setBool(true, QLatin1String(DontAskToInstallKey));
    return defaults::UserDefaults::standardUserDefaults().synchronize();
}

void UIManager::installRequested(const QString& scriptName, const QByteArray& name,
                                 bool confirmed) {
    const bool silent = !confirmed;
    inBackground(
        [name] {
            return installer::installScriptNamed(sourceScriptsFolder().value_or(QString()), name,
                                                 userScriptsFolder());
        },
        [this, scriptName, silent](const ScriptOutcome& outcome) {
            Q_EMIT scriptsChanged({outcome.name});
            if (silent || !windowShown())
                platform::notify(
                    outcome.installed ? tr("Script installed") : tr("Script not installed"),
                    outcome.installed
                        ? tr("'%1' is installed in the User Scripts directory.").arg(scriptName)
                        : tr("'%1' could not be installed: %2").arg(scriptName, outcome.error));
            if (!outcome.trashedName.isEmpty())
                Q_EMIT statusMessage(trashedNote(scriptName, outcome.trashedName));
            if (!outcome.installed) {
                showErrorThen(
                    strings::format(tr("Script '%@' - could not be installed"), shown(scriptName)),
                    [this, scriptName] { endRequest(scriptName, RequestOutcome::NotInstalled); },
                    outcome.error); // why, behind "Show Details…"
                return;
            }
            // After a confirmation Tarnwick gets control back; the silent road leaves it be.
            if (!silent)
                openTWK();
            endRequest(scriptName, RequestOutcome::Installed);
        });
}

void UIManager::endRequest(const QString& scriptName, RequestOutcome outcome) {
    qCDebug(lcInstaller) << "request for" << scriptName << "ended:" << int(outcome);
    Q_EMIT requestHandled(scriptName, outcome);
    finishTask();
}

void UIManager::showErrorThen(const QString& text, std::function<void()> then,
                              const QString& details) {
    // The text is finished: given with no arguments, the builder shows it as it stands.
    auto alert = criticalAlert(tr("Doh!"), tr("OK"), std::nullopt, text);
    alert->setDetailedText(details);
    platform::beginSheetModalForWindow(std::move(alert), mainWindow_,
                                       [this, then = std::move(then)](alert::Alert&, int) {
                                           openTWK();
                                           then();
                                       });
}

void UIManager::showErrorAndReturnToTWK(const QString& text) {
    showErrorThen(text, [] {});
}

void UIManager::openTWK() {
    platform::openUrl(QLatin1String(ReturnToTarnwickUrl));
}

} // namespace twk::installer

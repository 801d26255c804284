#include "installer/Messages.h"

#include "support/text/Conversions.h"
#include "support/text/DisplayText.h"

#include <QFontMetrics>
#include <QLocale>

#include <algorithm>
#include <vector>

namespace twk::installer {

using files::ItemKind;
using files::ScriptOutcome;
using files::ScriptState;
using files::SourceState;

namespace {

// The scripts a bulk install has something to say about, in the order the window lists them.
QList<const ScriptOutcome*> worthMentioning(const files::BulkInstallReport& report) {
    std::vector<std::pair<QString, const ScriptOutcome*>> keyed; // shown names, made once
    for (const ScriptOutcome& script : report.scripts) {
        if (!script.status.ok() || !script.trashedName.isEmpty() ||
            script.done == ScriptOutcome::Done::EditsKept)
            keyed.emplace_back(text::fromNativeBytes(script.name), &script);
    }
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return files::comesBefore(a.first, a.second->name, b.first, b.second->name);
    });
    QList<const ScriptOutcome*> picked;
    for (const auto& [shownName, script] : keyed)
        picked.append(script);
    return picked;
}

} // namespace

QString Messages::ok() {
    return tr("OK");
}

QString Messages::shownName(const QByteArray& name) {
    return text::visibleText(text::fromNativeBytes(name));
}

QString Messages::shownText(const QString& text) {
    return text::visibleText(text);
}

QString Messages::whyNothingCanBeInstalled(SourceState source, const posix::Status& userFolder,
                                           const QString& userFolderPath) {
    switch (source) {
    case SourceState::TarnwickNotFound:
        return tr("Tarnwick was not found: no application handles twkrelaunch URLs. Install "
                  "Tarnwick, then try again.");
    case SourceState::Unreadable:
        return tr("Tarnwick's scripts folder could not be read.");
    case SourceState::Listed:
        break;
    }
    if (userFolder.ok())
        return {};
    if (userFolder.error() == ENOENT)
        return tr("The User Scripts directory %1 does not exist yet: open Tarnwick once to "
                  "create it.")
            .arg(shownText(userFolderPath));
    return tr("The User Scripts directory %1 cannot be opened: %2")
        .arg(shownText(userFolderPath), userFolder.reason());
}

namespace {

struct StateTexts {
    ScriptState state;
    const char* name; // for programs
    const char* text; // for people
};

// In the order of the enum.
const StateTexts States[] = {
    {ScriptState::NotInstalled, "not installed", QT_TRANSLATE_NOOP("Messages", "Not installed")},
    {ScriptState::Installed, "installed", QT_TRANSLATE_NOOP("Messages", "Installed")},
    {ScriptState::UpdateAvailable, "update available",
     QT_TRANSLATE_NOOP("Messages", "Update available")},
    {ScriptState::Edited, "edited", QT_TRANSLATE_NOOP("Messages", "Edited by you")},
    {ScriptState::EditedAndUpdated, "edited and updated",
     QT_TRANSLATE_NOOP("Messages", "Edited by you; Tarnwick's copy updated")},
    {ScriptState::Different, "different",
     QT_TRANSLATE_NOOP("Messages", "Differs from Tarnwick's copy")},
    {ScriptState::NoLongerShipped, "no longer shipped",
     QT_TRANSLATE_NOOP("Messages", "No longer shipped by Tarnwick")},
};

const StateTexts& textsOf(ScriptState state) {
    return States[int(state)];
}

} // namespace

QString Messages::stateName(ScriptState state) {
    return QLatin1String(textsOf(state).name);
}

QString Messages::stateText(ScriptState state) {
    return tr(textsOf(state).text);
}

QString Messages::widestStateText(const QFontMetrics& metrics) {
    QString widest;
    for (const StateTexts& texts : States) {
        const QString text = tr(texts.text);
        if (metrics.horizontalAdvance(text) > metrics.horizontalAdvance(widest))
            widest = text;
    }
    return widest;
}

QString Messages::trashedNote(const QString& name, const QByteArray& trashedName) {
    return tr("The copy of '%1' that was installed differed from Tarnwick's; it is in the Trash "
              "as '%2'.")
        .arg(shownText(name), shownName(trashedName));
}

namespace {

QString kindText(const files::ItemMeasure& measure) {
    switch (measure.kind) {
    case ItemKind::File:
        return Messages::tr("A file of %1.").arg(QLocale().formattedDataSize(measure.bytes));
    case ItemKind::Folder:
        if (measure.files == 1)
            return Messages::tr("A folder of one file, %1.")
                .arg(QLocale().formattedDataSize(measure.bytes));
        return Messages::tr("A folder of %1 files, %2 in all.")
            .arg(QLocale().toString(measure.files), QLocale().formattedDataSize(measure.bytes));
    case ItemKind::Link:
        return Messages::tr("A link to \"%1\".")
            .arg(Messages::shownName(QByteArray::fromStdString(measure.linkTarget)));
    case ItemKind::Other:
    case ItemKind::Missing:
        break;
    }
    return Messages::tr("An item that is neither a file, a folder nor a link.");
}

} // namespace

QString Messages::details(const files::ScriptDetails& details) {
    QStringList parts{kindText(details.measure), stateSentence(details.state)};
    if (!details.firstLines.isEmpty())
        parts.append(tr("Its first lines:") + u'\n' + details.firstLines);
    return parts.join(u'\n');
}

QString Messages::stateSentence(ScriptState state) {
    switch (state) {
    case ScriptState::NotInstalled:
        return tr("It is not installed yet.");
    case ScriptState::Installed:
        return tr("The same script is installed already.");
    case ScriptState::UpdateAvailable:
        return tr("An older version of it is installed; it will be replaced.");
    case ScriptState::Edited:
        return tr("You edited the installed copy; installing moves your copy to the Trash.");
    case ScriptState::EditedAndUpdated:
        return tr("You edited the installed copy, and Tarnwick's copy changed since; installing "
                  "moves your copy to the Trash.");
    case ScriptState::Different:
        return tr("An installed copy differs from it; installing moves that copy to the Trash.");
    case ScriptState::NoLongerShipped:
        break;
    }
    return tr("Tarnwick no longer ships it.");
}

QString Messages::installedSentence(const QString& name, const files::ScriptOutcome& outcome) {
    using Done = files::ScriptOutcome::Done;
    if (!outcome.status.ok())
        return tr("'%1' could not be installed: %2")
            .arg(shownText(name), outcome.status.description());
    if (outcome.done == Done::EditsKept)
        return tr("'%1' was not installed: you edited the installed copy, and it stays.")
            .arg(shownText(name));
    if (outcome.done == Done::UpToDate)
        return tr("'%1' is installed in the User Scripts directory already.").arg(shownText(name));
    QString sentence = tr("'%1' is installed in the User Scripts directory.").arg(shownText(name));
    if (!outcome.trashedName.isEmpty())
        sentence += u' ' + trashedNote(name, outcome.trashedName);
    return sentence;
}

QString Messages::outcomeLine(const QString& name, const files::ScriptOutcome& outcome) {
    using Done = files::ScriptOutcome::Done;
    const QString shown = shownText(name);
    if (!outcome.trashedName.isEmpty())
        return trashedNote(name, outcome.trashedName);
    switch (outcome.done) {
    case Done::EditsKept:
        return tr("'%1': your edits were kept.").arg(shown);
    case Done::UpToDate:
        return tr("'%1' is up to date.").arg(shown);
    case Done::Copied:
        break;
    }
    return outcome.before == ScriptState::UpdateAvailable ? tr("'%1' updated.").arg(shown)
                                                          : tr("'%1' installed.").arg(shown);
}

QString Messages::editQuestion(const QList<QByteArray>& names) {
    QStringList shown;
    for (const QByteArray& name : names.mid(0, 10))
        shown.append(u'\'' + shownName(name) + u'\'');
    if (names.size() > 10)
        shown.append(tr("%n more", nullptr, int(names.size() - 10)));
    return tr("You edited the installed copies of %1. Keep your edits, or replace them with "
              "Tarnwick's copies? Copies that are replaced go to the Trash, where you can "
              "restore them.",
              nullptr, int(names.size()))
        .arg(QLocale().createSeparatedList(shown));
}

QString Messages::recordProblem(const posix::Status& problem) {
    return tr("What was installed cannot be remembered (%1): your edits are told from "
              "Tarnwick's updates by comparing the copies.")
        .arg(problem.reason());
}

QString Messages::bulkFailureSummary(const files::BulkInstallReport& report,
                                     const QString& userFolderPath) {
    const QString whole =
        whyNothingCanBeInstalled(report.source, report.destination, userFolderPath);
    if (!whole.isEmpty())
        return whole;
    QStringList failed;
    for (const ScriptOutcome* script : worthMentioning(report)) {
        if (!script->status.ok())
            failed.append(shownName(script->name));
    }
    constexpr qsizetype listed = 10;
    QString names = QStringList(failed.mid(0, listed)).join(QStringLiteral(", "));
    if (failed.size() > listed)
        names += tr(" and %n more", nullptr, int(failed.size() - listed));
    return tr("%1 of %n scripts could not be installed: %2. See the system log for details.",
              nullptr, int(report.scripts.size()))
        .arg(failed.size())
        .arg(names);
}

QString Messages::bulkFailureDetails(const files::BulkInstallReport& report) {
    if (!report.destination.ok())
        return {}; // one reason for all, said in the summary
    QStringList details;
    for (const ScriptOutcome* script : worthMentioning(report)) {
        if (!script->status.ok())
            details.append(shownName(script->name) + QStringLiteral(": ") +
                           script->status.description());
        else if (script->done == ScriptOutcome::Done::EditsKept)
            details.append(tr("'%1': your edited copy was kept.").arg(shownName(script->name)));
        else
            details.append(trashedNote(text::fromNativeBytes(script->name), script->trashedName));
    }
    return details.join(u'\n');
}

QString Messages::choiceNotSavedTitle() {
    return tr("Your choice could not be saved");
}

} // namespace twk::installer

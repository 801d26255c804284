#include "installer/Messages.h"

#include "support/text/Conversions.h"
#include "support/text/DisplayText.h"

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

QString Messages::quotedName(const QByteArray& name) {
    return tr("'%1'", "a script's name in a list of names").arg(shownName(name));
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

QStringList Messages::stateTexts() {
    QStringList texts;
    for (const StateTexts& state : States)
        texts.append(tr(state.text));
    return texts;
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
        return Messages::tr("A folder of %Ln files, %2 in all.", nullptr, int(measure.files))
            .arg(QLocale().formattedDataSize(measure.bytes));
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
    if (outcome.done == Done::Merged)
        return tr("Tarnwick's update of '%1' was merged into your edits; your copy as it was is "
                  "in the Trash as '%2'.")
            .arg(shownText(name), shownName(outcome.trashedName));
    QString sentence = tr("'%1' is installed in the User Scripts directory.").arg(shownText(name));
    if (!outcome.trashedName.isEmpty())
        sentence += u' ' + trashedNote(name, outcome.trashedName);
    return sentence;
}

QString Messages::outcomeLine(const QString& name, const files::ScriptOutcome& outcome) {
    using Done = files::ScriptOutcome::Done;
    const QString shown = shownText(name);
    if (outcome.done == Done::Merged)
        return tr("'%1': Tarnwick's update was merged into your edits; your copy as it was is in "
                  "the Trash as '%2'.")
            .arg(shown, shownName(outcome.trashedName));
    if (!outcome.trashedName.isEmpty())
        return trashedNote(name, outcome.trashedName);
    switch (outcome.done) {
    case Done::Merged:
        break;
    case Done::EditsKept:
        if (outcome.merge == files::ScriptMerge::Verdict::Conflicts)
            return tr("'%1': your changes and Tarnwick's collide; your edits were kept.")
                .arg(shown);
        return tr("'%1': your edits were kept.").arg(shown);
    case Done::UpToDate:
        return tr("'%1' is up to date.").arg(shown);
    case Done::Copied:
        break;
    }
    return outcome.before == ScriptState::UpdateAvailable ? tr("'%1' updated.").arg(shown)
                                                          : tr("'%1' installed.").arg(shown);
}

namespace {

// At most ten names in quotes, then how many more.
QString quotedNames(const QList<QByteArray>& names) {
    QStringList shown;
    for (const QByteArray& name : names.mid(0, 10))
        shown.append(Messages::quotedName(name));
    if (names.size() > 10)
        shown.append(Messages::tr("%n more", nullptr, int(names.size() - 10)));
    return QLocale().createSeparatedList(shown);
}

} // namespace

QString Messages::editQuestion(const QList<QByteArray>& names) {
    return tr("You edited the installed copies of %1. Keep your edits, or replace them with "
              "Tarnwick's copies? Copies that are replaced go to the Trash, where you can "
              "restore them.",
              nullptr, int(names.size()))
        .arg(quotedNames(names));
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
        else if (script->done == ScriptOutcome::Done::Merged)
            details.append(installedSentence(text::fromNativeBytes(script->name), *script));
        else
            details.append(trashedNote(text::fromNativeBytes(script->name), script->trashedName));
    }
    return details.join(u'\n');
}

QString Messages::choiceNotSavedTitle() {
    return tr("Your choice could not be saved");
}

QString Messages::differencesTitle(const QByteArray& name) {
    return tr("Differences in '%1'").arg(shownName(name));
}

namespace {

using Line = platform::DiffViewLine;
using Kind = platform::DiffViewLine::Kind;

constexpr qsizetype LongestLine = 2000;

// A line of a script as shown: its characters written out, a carriage return before the line
// feed left out unless line ends are what differs, cut when very long.
QString shownLine(QByteArray bytes, bool keepCarriageReturns) {
    if (!keepCarriageReturns && bytes.endsWith('\r'))
        bytes.chop(1);
    QString shown = text::visibleLines(text::fromNativeBytes(bytes));
    shown.replace(u'\n', QStringLiteral("\\u000A")); // never more than one line
    if (shown.size() > LongestLine)
        shown = shown.left(LongestLine) + QStringLiteral("…");
    return shown;
}

void addDiff(Messages::ShownLines& lines, const files::TextDiff& diff, const QString& before,
             const QString& after) {
    lines.append({Kind::FileHeader, QStringLiteral("--- ") + before});
    lines.append({Kind::FileHeader, QStringLiteral("+++ ") + after});
    for (const files::DiffLine& line : diff.lines) {
        switch (line.kind) {
        case files::DiffLine::Kind::Hunk:
            lines.append({Kind::Hunk, shownLine(line.text, false)});
            break;
        case files::DiffLine::Kind::Context:
            lines.append({Kind::Context, u' ' + shownLine(line.text, diff.lineEndsDiffer)});
            break;
        case files::DiffLine::Kind::Removed:
            lines.append({Kind::Removed, u'-' + shownLine(line.text, diff.lineEndsDiffer)});
            break;
        case files::DiffLine::Kind::Added:
            lines.append({Kind::Added, u'+' + shownLine(line.text, diff.lineEndsDiffer)});
            break;
        case files::DiffLine::Kind::NoNewline:
            lines.append({Kind::Note, Messages::tr("\\ No newline at end of file")});
            break;
        }
    }
}

} // namespace

platform::DiffViewLines Messages::differenceLines(const QByteArray& name,
                                                  const files::ScriptDifferences& differences,
                                                  qsizetype maxLines) {
    using Change = files::FileDifference::Change;
    using Content = files::FileDifference::Content;
    ShownLines lines;
    const QString script = shownName(name);
    auto shownPath = [&](const std::string& path) {
        return script + shownName(QByteArray::fromStdString(path));
    };
    lines.append({Kind::Heading, tr("Your copy of '%1' against Tarnwick's").arg(script)});
    if (differences.isEmpty())
        lines.append({Kind::Note, tr("They are the same.")});
    if (differences.folder) {
        for (const files::FileDifference& file : differences.files) {
            const QString path = shownPath(file.path);
            lines.append({Kind::Note, file.change == Change::OnlyYours
                                          ? tr("only in yours: %1").arg(path)
                                      : file.change == Change::OnlyTheirs
                                          ? tr("only in Tarnwick's: %1").arg(path)
                                          : tr("changed: %1").arg(path)});
        }
    }
    for (const files::FileDifference& file : differences.files) {
        const QString path = shownPath(file.path);
        if (differences.folder)
            lines.append({Kind::Heading, path});
        if (file.executableDiffers)
            lines.append({Kind::Note, tr("Only one of the two copies may be run as a program "
                                         "(its executable bit differs).")});
        switch (file.content) {
        case Content::Binary:
            lines.append({Kind::Note, tr("Not text: its differences are not shown.")});
            continue;
        case Content::TooLarge:
            lines.append(
                {Kind::Note, tr("Larger than %1: its differences are not shown.")
                                 .arg(QLocale().formattedDataSize(files::WholeFileLimit, 0))});
            continue;
        case Content::Other:
            lines.append({Kind::Note, tr("A link or a special file: its differences are not "
                                         "shown.")});
            continue;
        case Content::Text:
            break;
        }
        const QString yours = tr("yours: %1").arg(path), theirs = tr("Tarnwick's: %1").arg(path),
                      installed = tr("as installed: %1").arg(path);
        if (!file.between.isEmpty())
            addDiff(lines, file.between, yours, theirs);
        if (file.yourChanges && !file.yourChanges->isEmpty()) {
            lines.append({Kind::Heading, tr("Your changes since it was installed")});
            addDiff(lines, *file.yourChanges, installed, yours);
        }
        if (file.theirChanges && !file.theirChanges->isEmpty()) {
            lines.append({Kind::Heading, tr("Tarnwick's changes since it was installed")});
            addDiff(lines, *file.theirChanges, installed, theirs);
        }
    }
    if (!differences.isEmpty() && !differences.hasBase)
        lines.append({Kind::Note, tr("What was installed is not known, so each side's own "
                                     "changes cannot be told apart.")});
    if (lines.size() > maxLines) {
        const qsizetype more = lines.size() - maxLines;
        lines.resize(maxLines);
        lines.append({Kind::Note, tr("… and %n more lines, not shown.", nullptr, int(more))});
    }
    return lines;
}

QString Messages::differenceText(const platform::DiffViewLines& lines) {
    QStringList texts;
    texts.reserve(lines.size());
    for (const Line& line : lines)
        texts.append(line.text);
    return texts.join(u'\n');
}

QString Messages::noDifferences(const QString& name, const posix::Status& status) {
    if (status.error() == ENOENT)
        return tr("'%1' has no installed copy and a copy of Tarnwick's to compare.")
            .arg(shownText(name));
    return tr("The copies of '%1' could not be read: %2")
        .arg(shownText(name), status.description());
}

namespace {

// A conflict's lines from one side, indented, at most a few.
QString sideLines(const QList<QByteArray>& lines, qsizetype most) {
    QStringList shown;
    for (const QByteArray& line : lines.mid(0, most))
        shown.append(QStringLiteral("    ") + shownLine(line, false));
    if (lines.isEmpty())
        shown.append(QStringLiteral("    ") + Messages::tr("(nothing)"));
    if (lines.size() > most)
        shown.append(QStringLiteral("    …"));
    return shown.join(u'\n');
}

// Where a conflict is (path: inside a folder script, empty for a file script) and its lines.
QString conflictText(const std::string& path, const files::MergeConflict& conflict,
                     qsizetype most) {
    const QString yours = sideLines(conflict.yours, most);
    const QString theirs = sideLines(conflict.theirs, most);
    if (path.empty())
        return Messages::tr("At line %1, yours:\n%2\nTarnwick's:\n%3")
            .arg(conflict.line)
            .arg(yours, theirs);
    return Messages::tr("At line %1 of '%2', yours:\n%3\nTarnwick's:\n%4")
        .arg(conflict.line)
        .arg(Messages::shownName(QByteArray::fromStdString(path.substr(1))), yours, theirs);
}

} // namespace

QString Messages::mergeOffer(const QList<QByteArray>& clean, const QList<QByteArray>& colliding) {
    QStringList parts;
    if (!clean.isEmpty())
        parts.append(tr("Tarnwick's updates of %1 merge cleanly into your edits: Merge installs "
                        "both changes, and your copies go to the Trash.",
                        nullptr, int(clean.size()))
                         .arg(quotedNames(clean)));
    if (!colliding.isEmpty())
        parts.append(tr("In %1 your changes and Tarnwick's collide: Merge keeps your edits there; "
                        "Show Differences… on its row shows where.",
                        nullptr, int(colliding.size()))
                         .arg(quotedNames(colliding)));
    return parts.join(u' ');
}

QString Messages::mergeOffer(const files::ScriptMerge& merge, const QString& mergesFolder) {
    using Verdict = files::ScriptMerge::Verdict;
    if (merge.verdict == Verdict::Clean)
        return tr("Tarnwick's update merges cleanly into your edits: Merge installs both "
                  "changes, and your copy goes to the Trash.");
    if (merge.verdict == Verdict::Conflicts) {
        const auto conflicts = merge.conflicts();
        return tr("Your changes and Tarnwick's collide (conflicts: %n).", nullptr,
                  int(conflicts.size())) +
               u'\n' + conflictText(conflicts.front().first, *conflicts.front().second, 4) + u'\n' +
               tr("Save Merge with Conflicts saves the merge, conflict markers and all, in %1 "
                  "for you to finish by hand; nothing is installed.")
                   .arg(shownText(mergesFolder));
    }
    const QString path = shownName(QByteArray::fromStdString(merge.obstaclePath));
    switch (merge.obstacle) {
    case files::MergeObstacle::NotText:
        return tr("It cannot be merged: both changed %1, which is not text.").arg(path);
    case files::MergeObstacle::KindsDiffer:
        return tr("It cannot be merged: one copy is a file, the other a folder.");
    case files::MergeObstacle::RemovedAndChanged:
        return tr("It cannot be merged: one side removed %1, the other changed it.").arg(path);
    case files::MergeObstacle::NoBase:
    case files::MergeObstacle::None:
        break;
    }
    return tr("It cannot be merged: the version that was installed was not kept.");
}

QString Messages::conflictDetails(const files::ScriptMerge& merge) {
    QStringList texts;
    for (const auto& [path, conflict] : merge.conflicts())
        texts.append(conflictText(path, *conflict, 40));
    return texts.join(QStringLiteral("\n\n"));
}

QString Messages::mergeSaved(const QString& name, const posix::Expected<QString>& saved) {
    if (!saved.ok())
        return tr("The merge of '%1' could not be saved: %2")
            .arg(shownText(name), saved.status().description());
    return tr("The merge of '%1', with conflict markers where your changes and Tarnwick's "
              "collide, is saved as %2. Finish it by hand, then put it in place of your copy.")
        .arg(shownText(name), shownText(*saved));
}

QString Messages::mergeButton() {
    return tr("Merge");
}

QString Messages::saveMergeButton() {
    return tr("Save Merge with Conflicts");
}

} // namespace twk::installer

#pragma once

// What the installer says to people, in one place: the window, the terminal and the desktop's
// notifications share these texts. Names that came from outside are written out with their
// invisible and direction-changing characters visible.

#include "installer/files/BulkInstall.h"
#include "installer/files/ScriptCatalog.h"
#include "installer/files/ScriptDetails.h"
#include "installer/files/ScriptDifferences.h"
#include "installer/files/ScriptMerge.h"
#include "platform/DifferencesView.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace twk::installer {

class Messages {
    Q_DECLARE_TR_FUNCTIONS(Messages)

public:
    using ShownLines = platform::DiffViewLines;

    static QString ok();

    // A script's name as shown: its bytes as text, every character seen.
    static QString shownName(const QByteArray& name);
    // A name that is text already (a request's), shown the same way.
    static QString shownText(const QString& text);
    // A script's name in quotes, as a list of names shows it: the language's own quotes.
    static QString quotedName(const QByteArray& name);

    // Why nothing can be installed at all: no Tarnwick, its scripts folder unreadable, or the
    // user scripts folder missing or closed to us. Empty when scripts can be installed.
    static QString whyNothingCanBeInstalled(files::SourceState source,
                                            const posix::Status& userFolder,
                                            const QString& userFolderPath);

    // A state's name for programs (--list --json), never translated.
    static QString stateName(files::ScriptState state);
    // A state as people read it (the window's list, --list).
    static QString stateText(files::ScriptState state);
    // All of those, to size a column for.
    static QStringList stateTexts();
    // A state as a sentence, for the confirmation's details.
    static QString stateSentence(files::ScriptState state);

    // What became of a script the user installed in the window, in a few words for the status
    // line and a screen reader.
    static QString outcomeLine(const QString& name, const files::ScriptOutcome& outcome);
    // What became of a script installed without a sheet, in full, for a notification.
    static QString installedSentence(const QString& name, const files::ScriptOutcome& outcome);

    // The question asked before edited copies would be replaced, naming them.
    static QString editQuestion(const QList<QByteArray>& names);

    // The record of what was installed cannot be kept.
    static QString recordProblem(const posix::Status& problem);

    // Where a replaced copy went: "... it is in the Trash as '%2'."
    static QString trashedNote(const QString& name, const QByteArray& trashedName);

    // The confirmation's "Show Details…": what the script is, whether a copy is installed and
    // differs, and a text script's first lines.
    static QString details(const files::ScriptDetails& details);

    // The bulk install's report when not everything was installed: why, and which scripts.
    static QString bulkFailureSummary(const files::BulkInstallReport& report,
                                      const QString& userFolderPath);
    // Behind its "Show Details…": why each script failed, and where replaced copies went.
    static QString bulkFailureDetails(const files::BulkInstallReport& report);

    // A choice the user made could not be stored.
    static QString choiceNotSavedTitle();

    // "Differences in 'NAME'": the differences view's title.
    static QString differencesTitle(const QByteArray& name);
    // The differences of a script as lines of a unified diff, for the differences view and the
    // terminal: which files differ, the user's copy against Tarnwick's, and each side's
    // changes since it was installed where that is known. Every name and line is written out
    // as it is; at most maxLines lines, long lines cut.
    static platform::DiffViewLines differenceLines(const QByteArray& name,
                                                   const files::ScriptDifferences& differences,
                                                   qsizetype maxLines = 50000);
    // The same lines as one text.
    static QString differenceText(const platform::DiffViewLines& lines);
    // Why differences cannot be shown.
    static QString noDifferences(const QString& name, const posix::Status& status);

    // What Merge offers, for the question asked before several edited copies are replaced:
    // which merge cleanly, which collide.
    static QString mergeOffer(const QList<QByteArray>& clean, const QList<QByteArray>& colliding);
    // The same for one script: that it merges cleanly, where the changes collide (the first
    // conflict's lines from both sides, and where the merge would be saved), or why it cannot
    // be merged.
    static QString mergeOffer(const files::ScriptMerge& merge, const QString& mergesFolder);
    // Every conflict, with its lines from both sides, for "Show Details…".
    static QString conflictDetails(const files::ScriptMerge& merge);
    // Where a merge with conflicts was saved, or why it could not be.
    static QString mergeSaved(const QString& name, const posix::Expected<QString>& saved);
    // The button that installs a clean merge, and the one that saves one with conflicts.
    static QString mergeButton();
    static QString saveMergeButton();
};

} // namespace twk::installer

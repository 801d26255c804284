#include "app/HeadlessInstall.h"

#include "installer/Messages.h"
#include "installer/ScriptFolders.h"
#include "installer/files/BulkInstall.h"
#include "installer/files/ScriptCatalog.h"
#include "installer/files/ScriptRemoval.h"
#include "platform/Workspace.h"
#include "support/text/Conversions.h"
#include "support/text/DisplayText.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <future>
#include <unistd.h>

namespace twk::app {

using installer::Messages;

namespace {

struct Texts {
    Q_DECLARE_TR_FUNCTIONS(HeadlessInstall)
};

void printLine(FILE* stream, const QString& line) {
    std::fputs(line.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

void printLine(const QString& line) {
    printLine(stdout, line);
}

// A merge whose changes collide, saved to be finished by hand: the line that says where,
// then the conflicts, indented.
QString savedMerge(const files::ScriptPlaces& places, const QByteArray& name) {
    const QString shown = Messages::shownName(name);
    auto merge = files::scriptMerge(places, name);
    if (!merge.ok() || merge->verdict != files::ScriptMerge::Verdict::Conflicts)
        return Texts::tr("kept your edits: %1 (your changes and Tarnwick's collide)").arg(shown);
    const auto saved = files::saveMergeWithConflicts(places, name, *merge);
    QString lines =
        saved.ok()
            ? Texts::tr("kept your edits: %1 (your changes and Tarnwick's collide; the merge "
                        "with conflict markers is saved as %2)")
                  .arg(shown, text::visibleText(*saved))
            : Texts::tr("kept your edits: %1 (your changes and Tarnwick's collide): %2")
                  .arg(shown, Messages::mergeSaved(text::fromNativeBytes(name), saved));
    for (const QString& line : Messages::conflictDetails(*merge).split(u'\n'))
        lines += QStringLiteral("\n  ") + line;
    return lines;
}

QString installedLine(const files::ScriptOutcome& script, const files::ScriptPlaces& places) {
    using Done = files::ScriptOutcome::Done;
    using Verdict = files::ScriptMerge::Verdict;
    const QString name = Messages::shownName(script.name);
    if (!script.status.ok())
        return Texts::tr("not installed: %1: %2")
            .arg(name, text::visibleText(script.status.description()));
    if (script.done == Done::Merged && script.trashedName.isEmpty()) // another run moved it
        return Texts::tr("merged: %1 (Tarnwick's update merged into your edits)").arg(name);
    if (script.done == Done::Merged)
        return Texts::tr("merged: %1 (Tarnwick's update merged into your edits; your copy is in "
                         "the Trash as %2)")
            .arg(name, Messages::shownName(script.trashedName));
    if (script.done == Done::EditsKept && script.before == files::ScriptState::Edited)
        return Texts::tr("kept your edits: %1 (Tarnwick's copy has not changed since it was "
                         "installed; --replace-edited puts it back)")
            .arg(name);
    if (script.done == Done::EditsKept && script.merge == Verdict::Conflicts)
        return savedMerge(places, script.name);
    if (script.done == Done::EditsKept && script.merge)
        return Texts::tr("kept your edits: %1 (it cannot be merged; --diff shows why, "
                         "--replace-edited installs Tarnwick's copy)")
            .arg(name);
    if (script.done == Done::EditsKept)
        return Texts::tr("kept your edits: %1 (--replace-edited installs Tarnwick's copy, "
                         "--merge merges its update into your edits)")
            .arg(name);
    // The lines of thousands of scripts: their texts looked up once.
    if (script.done == Done::UpToDate) {
        static const QString upToDate = Texts::tr("up to date: %1");
        return upToDate.arg(name);
    }
    if (!script.trashedName.isEmpty())
        return Texts::tr(
                   "installed: %1 (the copy that was there differed; it is in the Trash as %2)")
            .arg(name, Messages::shownName(script.trashedName));
    if (script.before == files::ScriptState::UpdateAvailable) {
        static const QString updated = Texts::tr("updated: %1");
        return updated.arg(name);
    }
    static const QString installed = Texts::tr("installed: %1");
    return installed.arg(name);
}

// Where the scripts are, for a run that ends once it is done: GIO's watches are of no use to it.
files::ScriptPlaces terminalPlaces() {
    files::ScriptPlaces places = installer::scriptPlaces();
    platform::dropApplicationFolderWatches();
    return places;
}

// 0 when everything was done, 1 when something failed, EditsKeptStatus when nothing failed
// but edits were kept.
int exitStatus(int failed, int kept) {
    return failed ? 1 : kept ? EditsKeptStatus : 0;
}

// The name checks every terminal action shares; an empty text when the name may be used.
QString nameProblem(const std::optional<QString>& source, const QByteArray& name) {
    using Result = files::ResolvedScript::Result;
    switch (files::resolveScript(source, name).result) {
    case Result::InvalidName:
        return Texts::tr("is not a valid script name");
    case Result::TarnwickNotFound:
        return Texts::tr("Tarnwick was not found");
    case Result::NotFound:
        return Texts::tr("not found");
    case Result::Found:
        break;
    }
    return {};
}

} // namespace

int runHeadlessInstallAll(files::EditChoice edits) {
    // Tarnwick is looked up (GIO reads the desktop's entries) while the run reads the record
    // and lists the user scripts folder.
    auto found = std::async(std::launch::async, [] { return terminalPlaces().source; });
    files::ScriptPlaces places{std::nullopt, installer::userScriptsFolder(),
                               installer::stateFolder()};
    const QString& destination = places.user;
    const auto report = files::installAllScripts(
        places, edits,
        [&places](const files::ScriptOutcome& script, qsizetype, qsizetype) {
            printLine(installedLine(script, places));
        },
        0, [&] { return places.source = found.get(); });
    const QString problem =
        Messages::whyNothingCanBeInstalled(report.source, report.destination, destination);
    if (!problem.isEmpty()) {
        printLine(stderr, problem);
        return 1;
    }
    const auto installed = report.scripts.size() - report.failedCount();
    printLine(Texts::tr("%1 of %n scripts installed into %3", nullptr, int(report.scripts.size()))
                  .arg(installed)
                  .arg(text::visibleText(destination)));
    std::fflush(stdout);
    return exitStatus(int(report.failedCount()), int(report.keptCount()));
}

int runHeadlessInstall(const QList<QByteArray>& names, files::EditChoice edits) {
    const files::ScriptPlaces places = terminalPlaces();
    int failed = 0, kept = 0;
    for (const QByteArray& name : names) {
        files::ScriptOutcome outcome{name};
        if (const QString problem = nameProblem(places.source, name); !problem.isEmpty())
            outcome.status = posix::Status(posix::Step::Resolving, ENOENT, {}, problem);
        else
            outcome = files::installScriptNamed(places, name, edits);
        failed += outcome.status.ok() ? 0 : 1;
        kept += outcome.done == files::ScriptOutcome::Done::EditsKept ? 1 : 0;
        printLine(installedLine(outcome, places));
    }
    std::fflush(stdout);
    return exitStatus(failed, kept);
}

int runHeadlessRemove(const QList<QByteArray>& names) {
    const auto source = terminalPlaces().source;
    const QString destination = installer::userScriptsFolder();
    int failed = 0;
    for (const QByteArray& name : names) {
        QString problem = nameProblem(source, name);
        if (problem.isEmpty()) {
            const auto removed = files::removeInstalledScript(destination, name);
            if (removed.ok()) {
                printLine(Texts::tr("moved to the Trash: %1 (as %2)")
                              .arg(Messages::shownName(name), Messages::shownName(*removed)));
                continue;
            }
            problem = removed.status().description();
        }
        ++failed;
        printLine(Texts::tr("not removed: %1: %2")
                      .arg(Messages::shownName(name), text::visibleText(problem)));
    }
    std::fflush(stdout);
    return failed == 0 ? 0 : 1;
}

int runList(bool json) {
    const files::ScriptPlaces places = terminalPlaces();
    const auto catalog = files::scriptCatalog(places);
    if (catalog.source != files::SourceState::Listed) {
        printLine(stderr, Messages::whyNothingCanBeInstalled(catalog.source, {}, places.user));
        return 1;
    }
    if (json) {
        QJsonArray array;
        for (const auto& script : catalog.scripts)
            array.append(QJsonObject{{QStringLiteral("name"), text::fromNativeBytes(script.name)},
                                     {QStringLiteral("state"), Messages::stateName(script.state)}});
        std::fputs(QJsonDocument(array).toJson(QJsonDocument::Indented).constData(), stdout);
    } else {
        for (const auto& script : catalog.scripts)
            printLine(Messages::shownName(script.name) + u'\t' + Messages::stateText(script.state));
    }
    std::fflush(stdout);
    return 0;
}

int runDiff(const QByteArray& name) {
    using Kind = platform::DiffViewLine::Kind;
    const files::ScriptPlaces places = terminalPlaces();
    if (const QString problem = nameProblem(places.source, name); !problem.isEmpty()) {
        printLine(stderr, Messages::shownName(name) + QStringLiteral(": ") + problem);
        return 2;
    }
    const auto differences = files::scriptDifferences(places, name);
    if (!differences.ok()) {
        printLine(stderr,
                  Messages::noDifferences(text::fromNativeBytes(name), differences.status()));
        return 2;
    }
    // Colours only where a person reads them: never into a file or another program.
    const bool colour = ::isatty(STDOUT_FILENO) && qgetenv("TERM") != "dumb" &&
                        qEnvironmentVariableIsEmpty("NO_COLOR");
    for (const platform::DiffViewLine& line : Messages::differenceLines(name, *differences)) {
        const char* start = "";
        switch (line.kind) {
        case Kind::Added:
            start = "\x1b[32m";
            break;
        case Kind::Removed:
            start = "\x1b[31m";
            break;
        case Kind::Hunk:
            start = "\x1b[36m";
            break;
        case Kind::Heading:
        case Kind::FileHeader:
            start = "\x1b[1m";
            break;
        case Kind::Note:
        case Kind::Context:
            break;
        }
        if (colour && *start)
            std::fputs(start, stdout);
        std::fputs(line.text.toLocal8Bit().constData(), stdout);
        std::fputs(colour && *start ? "\x1b[0m\n" : "\n", stdout);
    }
    std::fflush(stdout);
    return differences->isEmpty() ? 0 : 1;
}

} // namespace twk::app

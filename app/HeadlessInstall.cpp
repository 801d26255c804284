#include "app/HeadlessInstall.h"

#include "installer/ScriptCatalog.h"
#include "installer/ScriptFolders.h"
#include "installer/ScriptInstall.h"
#include "support/text/DisplayText.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace twk::app {
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

// A name as a terminal shows it: nothing in it can move the cursor or change colours.
QString shown(const QByteArray& name) {
    return text::visibleText(installer::displayName(name));
}

// The state as a person reads it; --json keeps the untranslated names for programs.
QString stateText(installer::ScriptState state) {
    switch (state) {
    case installer::ScriptState::Installed:
        return Texts::tr("installed");
    case installer::ScriptState::Different:
        return Texts::tr("different");
    case installer::ScriptState::NotInstalled:
        break;
    }
    return Texts::tr("not installed");
}

QString tarnwickNotFound() {
    return Texts::tr("Tarnwick was not found: no application handles twkrelaunch URLs.");
}

QString installedLine(const installer::ScriptOutcome& script) {
    if (!script.installed)
        return Texts::tr("not installed: %1: %2")
            .arg(shown(script.name), text::visibleText(script.error));
    if (!script.trashedName.isEmpty())
        return Texts::tr(
                   "installed: %1 (the copy that was there differed; it is in the Trash as %2)")
            .arg(shown(script.name), text::visibleText(script.trashedName));
    return Texts::tr("installed: %1").arg(shown(script.name));
}

// Why a whole run could not install anything, or an empty text.
QString wholeRunProblem(const installer::BulkInstallReport& report, const QString& destination) {
    using Listing = installer::BulkInstallReport::Listing;
    if (report.listing == Listing::TarnwickNotFound)
        return tarnwickNotFound();
    if (report.listing == Listing::Unreadable)
        return Texts::tr("The Tarnwick scripts folder could not be read.");
    if (report.destinationError == ENOENT)
        return Texts::tr("The user scripts folder %1 does not exist yet: open Tarnwick once to "
                         "create it.")
            .arg(text::visibleText(destination));
    if (report.destinationError)
        return Texts::tr("The user scripts folder %1 cannot be opened: %2")
            .arg(text::visibleText(destination),
                 QString::fromLocal8Bit(std::strerror(*report.destinationError)));
    return {};
}

} // namespace

int runHeadlessInstallAll() {
    const QString destination = installer::userScriptsFolder();
    const auto report =
        installer::installAllScripts(installer::sourceScriptsFolder(), destination,
                                     [](const installer::ScriptOutcome& script, qsizetype,
                                        qsizetype) { printLine(installedLine(script)); });
    if (const QString problem = wholeRunProblem(report, destination); !problem.isEmpty()) {
        printLine(stderr, problem);
        return 1;
    }
    const auto installed = report.scripts.size() - report.failedCount();
    printLine(Texts::tr("%1 of %2 scripts installed into %3")
                  .arg(installed)
                  .arg(report.scripts.size())
                  .arg(text::visibleText(destination)));
    std::fflush(stdout);
    return report.allInstalled() ? 0 : 1;
}

namespace {

// The name checks every terminal action shares; an empty text when the name may be used.
QString nameProblem(const std::optional<QString>& source, const QByteArray& name) {
    using Result = installer::ResolvedScript::Result;
    switch (installer::resolveScript(source, name).result) {
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

int runHeadlessInstall(const QList<QByteArray>& names) {
    const auto source = installer::sourceScriptsFolder();
    const QString destination = installer::userScriptsFolder();
    int failed = 0;
    for (const QByteArray& name : names) {
        installer::ScriptOutcome outcome;
        outcome.name = name;
        outcome.error = nameProblem(source, name);
        if (outcome.error.isEmpty())
            outcome = installer::installScriptNamed(*source, name, destination);
        failed += outcome.installed ? 0 : 1;
        printLine(installedLine(outcome));
    }
    std::fflush(stdout);
    return failed == 0 ? 0 : 1;
}

int runHeadlessRemove(const QList<QByteArray>& names) {
    const auto source = installer::sourceScriptsFolder();
    const QString destination = installer::userScriptsFolder();
    int failed = 0;
    for (const QByteArray& name : names) {
        QString problem = nameProblem(source, name);
        installer::RemovalOutcome outcome;
        if (problem.isEmpty()) {
            outcome = installer::removeInstalledScript(destination, name);
            problem = outcome.error;
        }
        if (outcome.removed) {
            printLine(Texts::tr("moved to the Trash: %1 (as %2)")
                          .arg(shown(name), text::visibleText(outcome.trashedName)));
        } else {
            ++failed;
            printLine(
                Texts::tr("not removed: %1: %2").arg(shown(name), text::visibleText(problem)));
        }
    }
    std::fflush(stdout);
    return failed == 0 ? 0 : 1;
}

int runList(bool json) {
    using Source = installer::CatalogFolders::Source;
    const auto catalog =
        installer::scriptCatalog(installer::sourceScriptsFolder(), installer::userScriptsFolder());
    if (catalog.source != Source::Listed) {
        printLine(stderr, catalog.source == Source::TarnwickNotFound
                              ? tarnwickNotFound()
                              : Texts::tr("The Tarnwick scripts folder could not be read."));
        return 1;
    }
    if (json) {
        QJsonArray array;
        for (const auto& script : catalog.scripts)
            array.append(
                QJsonObject{{QStringLiteral("name"), installer::displayName(script.name)},
                            {QStringLiteral("state"), installer::stateName(script.state)}});
        std::fputs(QJsonDocument(array).toJson(QJsonDocument::Indented).constData(), stdout);
    } else {
        for (const auto& script : catalog.scripts)
            printLine(shown(script.name) + u'\t' + stateText(script.state));
    }
    std::fflush(stdout);
    return 0;
}

} // namespace twk::app

#include "app/HeadlessInstall.h"

#include "installer/ScriptCatalog.h"
#include "installer/ScriptFolders.h"
#include "installer/ScriptInstall.h"
#include "support/strings/Pieces.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sys/stat.h>

#include <cstdio>

namespace twk::app {
namespace {

void printLine(const QString& line) {
    std::fputs(line.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
}

QString tr(const char* text) {
    return QCoreApplication::translate("HeadlessInstall", text);
}

} // namespace

int runHeadlessInstallAll() {
    using installer::BulkInstallReport;
    const QString destination = installer::userScriptsFolder();
    const auto report = installer::installAllScripts(
        installer::sourceScriptsFolder(), destination,
        [](const installer::ScriptOutcome& script, qsizetype, qsizetype) {
            printLine(script.installed
                          ? tr("installed: %1").arg(script.name)
                          : tr("not installed: %1: %2").arg(script.name, script.error));
        });
    switch (report.listing) {
    case BulkInstallReport::Listing::TarnwickNotFound:
        printLine(tr("Tarnwick was not found: no application handles twkrelaunch URLs."));
        return 1;
    case BulkInstallReport::Listing::Unreadable:
        printLine(tr("The Tarnwick scripts folder could not be read."));
        return 1;
    case BulkInstallReport::Listing::Listed:
        break;
    }
    const auto installed = report.scripts.size() - report.failedCount();
    printLine(tr("%1 of %2 scripts installed into %3")
                  .arg(installed)
                  .arg(report.scripts.size())
                  .arg(destination));
    std::fflush(stdout);
    return report.allInstalled() ? 0 : 1;
}

int runHeadlessInstall(const QStringList& names) {
    const auto source = installer::sourceScriptsFolder();
    const QString destination = installer::userScriptsFolder();
    int failed = 0;
    for (const QString& name : names) {
        QString problem;
        struct stat st;
        const QString path =
            source ? strings::stringByAppendingPathComponent(*source, name) : QString();
        if (!installer::isValidScriptName(name))
            problem = tr("is not a valid script name");
        else if (!source)
            problem = tr("Tarnwick was not found");
        else if (::stat(QFile::encodeName(path).constData(), &st) != 0)
            problem = tr("not found");
        else if (!installer::installScript(path, destination, &problem) && problem.isEmpty())
            problem = tr("could not be installed");
        if (problem.isEmpty()) {
            printLine(tr("installed: %1").arg(name));
        } else {
            ++failed;
            printLine(tr("not installed: %1: %2").arg(name, problem));
        }
    }
    std::fflush(stdout);
    return failed == 0 ? 0 : 1;
}

int runList(bool json) {
    using installer::ScriptCatalog;
    const ScriptCatalog catalog =
        installer::scriptCatalog(installer::sourceScriptsFolder(), installer::userScriptsFolder());
    if (catalog.source != ScriptCatalog::Source::Listed) {
        std::fputs(
            qPrintable(
                catalog.source == ScriptCatalog::Source::TarnwickNotFound
                    ? tr("Tarnwick was not found: no application handles twkrelaunch URLs.\n")
                    : tr("The Tarnwick scripts folder could not be read.\n")),
            stderr);
        return 1;
    }
    if (json) {
        QJsonArray array;
        for (const auto& script : catalog.scripts)
            array.append(
                QJsonObject{{QStringLiteral("name"), script.name},
                            {QStringLiteral("state"), installer::stateName(script.state)}});
        std::fputs(QJsonDocument(array).toJson(QJsonDocument::Indented).constData(), stdout);
    } else {
        for (const auto& script : catalog.scripts)
            printLine(script.name + u'\t' + installer::stateName(script.state));
    }
    std::fflush(stdout);
    return 0;
}

} // namespace twk::app

#include "app/HeadlessInstall.h"

#include "installer/ScriptFolders.h"
#include "installer/ScriptInstall.h"

#include <QCoreApplication>

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

} // namespace twk::app

#include "installer/files/ScriptInstall.h"

#include "installer/files/StagedInstaller.h"
#include "support/log/SystemLog.h"
#include "support/strings/Formatter.h"
#include "support/text/Conversions.h"

namespace twk::files {
namespace {

ScriptOutcome installEntry(const std::string& sourceRoot, const std::string& name,
                           const QString& userScriptsFolder) {
    ScriptOutcome outcome{QByteArray::fromStdString(name), {}, {}};
    const Fd sourceFolder = openFolderPath(sourceRoot);
    if (!sourceFolder.valid()) {
        recordCommit(outcome, Status(Step::Copying, errno, sourceRoot + '/' + name), {});
        return outcome;
    }
    StagedInstaller installer(text::toNativeBytes(userScriptsFolder).toStdString());
    StagedItem staged;
    CommitReport report;
    Status status = installer.open();
    if (status.ok())
        status = installer.stage(sourceFolder.get(), sourceRoot, name, staged);
    if (status.ok()) {
        status = installer.flush();
        if (!status.ok())
            installer.discard(staged);
    }
    if (status.ok())
        status = installer.commit(staged, report);
    recordCommit(outcome, status, report);
    return outcome;
}

} // namespace

void logInstallFailure(const Status& status) {
    const bool removing = status.step() == Step::Replacing || status.step() == Step::Trashing ||
                          status.step() == Step::Removing;
    log::systemLog(strings::format(removing ? QStringView(u"error deleting: %@")
                                            : QStringView(u"error copying script: %@"),
                                   status.description()));
}

void recordCommit(ScriptOutcome& outcome, const Status& status, const CommitReport& report) {
    if (!report.cleanup.ok())
        logInstallFailure(report.cleanup); // the new copy is in place all the same
    if (!status.ok())
        logInstallFailure(status);
    outcome.status = status;
    outcome.trashedName = QByteArray::fromStdString(report.trashedName);
}

ScriptOutcome installScript(const QString& sourcePath, const QString& userScriptsFolder) {
    const std::string source = text::toNativeBytes(sourcePath).toStdString();
    const size_t slash = source.find_last_of('/');
    if (slash == std::string::npos)
        return installEntry(".", source, userScriptsFolder);
    return installEntry(slash == 0 ? "/" : source.substr(0, slash), source.substr(slash + 1),
                        userScriptsFolder);
}

ScriptOutcome installScriptNamed(const QString& sourceFolder, const QByteArray& name,
                                 const QString& userScriptsFolder) {
    return installEntry(text::toNativeBytes(sourceFolder).toStdString(), name.toStdString(),
                        userScriptsFolder);
}

} // namespace twk::files

#include "installer/ScriptInstall.h"

#include "installer/Posix.h"
#include "installer/ScriptFolders.h"
#include "installer/StagedCopy.h"
#include "installer/Trash.h"
#include "support/log/SystemLog.h"
#include "support/strings/Formatter.h"

#include <QCoreApplication>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace twk::installer {
namespace {

void logFailure(const Status& status) {
    const bool removing = status.step() == Step::Replacing || status.step() == Step::Trashing ||
                          status.step() == Step::Removing;
    log::systemLog(strings::format(removing ? QStringView(u"error deleting: %@")
                                            : QStringView(u"error copying script: %@"),
                                   status.description()));
}

// Puts the result of a commit into the outcome, logging what went wrong.
void record(ScriptOutcome& outcome, const Status& status, const CommitReport& report) {
    if (!report.cleanup.ok())
        logFailure(report.cleanup); // the new copy is in place all the same
    outcome.installed = status.ok();
    if (!status.ok()) {
        logFailure(status);
        outcome.error = status.description();
    }
    outcome.trashedName = posix::displayPath(report.trashedName);
}

void fail(ScriptOutcome& outcome, const Status& status) {
    record(outcome, status, {});
}

} // namespace

qsizetype BulkInstallReport::failedCount() const {
    qsizetype failed = 0;
    for (const ScriptOutcome& script : scripts)
        failed += script.installed ? 0 : 1;
    return failed;
}

namespace {

ScriptOutcome installEntry(const std::string& sourceRoot, const std::string& name,
                           const QString& userScriptsFolder) {
    ScriptOutcome outcome;
    outcome.name = QByteArray::fromStdString(name);
    const posix::Fd sourceFolder = posix::openFolderPath(sourceRoot);
    if (!sourceFolder.valid()) {
        fail(outcome, Status(Step::Copying, errno, sourceRoot + '/' + name));
        return outcome;
    }
    StagedInstaller installer(posix::nativePath(userScriptsFolder));
    StagedItem staged;
    Status status = installer.open();
    if (status.ok())
        status = installer.stage(sourceFolder.get(), sourceRoot, name, staged);
    if (status.ok()) {
        status = installer.flush();
        if (!status.ok())
            installer.discard(staged);
    }
    CommitReport report;
    if (status.ok())
        status = installer.commit(staged, report);
    record(outcome, status, report);
    return outcome;
}

} // namespace

ScriptOutcome installScript(const QString& sourcePath, const QString& userScriptsFolder) {
    const std::string source = posix::nativePath(sourcePath);
    const size_t slash = source.find_last_of('/');
    if (slash == std::string::npos)
        return installEntry(".", source, userScriptsFolder);
    return installEntry(slash == 0 ? "/" : source.substr(0, slash), source.substr(slash + 1),
                        userScriptsFolder);
}

ScriptOutcome installScriptNamed(const QString& sourceFolder, const QByteArray& name,
                                 const QString& userScriptsFolder) {
    return installEntry(posix::nativePath(sourceFolder), name.toStdString(), userScriptsFolder);
}

BulkInstallReport installAllScripts(const std::optional<QString>& sourceFolder,
                                    const QString& userScriptsFolder,
                                    const InstallProgress& progress, int threads) {
    BulkInstallReport report;
    const std::string sourceRoot = sourceFolder ? posix::nativePath(*sourceFolder) : std::string();
    const posix::Fd source = sourceFolder ? posix::openFolderPath(sourceRoot) : posix::Fd();
    std::vector<std::string> names;
    if (!source.valid() || posix::readEntries(source.get(), names) != 0) {
        log::systemLog(QStringLiteral("error getting script directory"));
        report.listing = sourceFolder ? BulkInstallReport::Listing::Unreadable
                                      : BulkInstallReport::Listing::TarnwickNotFound;
        return report;
    }
    const qsizetype total = qsizetype(names.size());
    std::vector<ScriptOutcome> outcomes;
    for (const std::string& name : names)
        outcomes.emplace_back().name = QByteArray::fromStdString(name);
    auto finish = [&] {
        report.scripts = QList<ScriptOutcome>(outcomes.begin(), outcomes.end());
        return report;
    };

    std::mutex reporting;
    qsizetype done = 0;
    auto finished = [&](size_t index) {
        const std::lock_guard lock(reporting);
        ++done;
        if (progress)
            progress(outcomes[index], done, total);
    };

    StagedInstaller installer(posix::nativePath(userScriptsFolder));
    if (Status opened = installer.open(); !opened.ok()) {
        report.destinationError = opened.error();
        for (size_t i = 0; i < outcomes.size(); ++i) {
            fail(outcomes[i], opened);
            finished(i);
        }
        return finish();
    }

    // Copies on several threads: each takes the next script not taken yet.
    std::vector<StagedItem> staged(names.size());
    std::vector<char> stagedOk(names.size(), 0);
    std::atomic<size_t> next{0};
    auto stageSome = [&] {
        for (size_t i = next++; i < names.size(); i = next++) {
            Status status = installer.stage(source.get(), sourceRoot, names[i], staged[i]);
            stagedOk[i] = status.ok();
            if (!status.ok()) {
                fail(outcomes[i], status);
                finished(i);
            }
        }
    };
    const unsigned helpers =
        std::min<unsigned>(names.size(), threads > 0
                                             ? unsigned(threads)
                                             : std::max(1u, std::thread::hardware_concurrency())) -
        (names.empty() ? 0 : 1);
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < helpers; ++i)
        workers.emplace_back(stageSome);
    stageSome();
    for (std::thread& worker : workers)
        worker.join();

    const Status flushed = installer.flush();
    for (size_t i = 0; i < names.size(); ++i) {
        if (!stagedOk[i])
            continue;
        CommitReport commit;
        Status status = flushed;
        if (status.ok())
            status = installer.commit(staged[i], commit);
        else
            installer.discard(staged[i]);
        record(outcomes[i], status, commit);
        finished(i);
    }
    return finish();
}

RemovalOutcome removeInstalledScript(const QString& userScriptsFolder, const QByteArray& name) {
    RemovalOutcome outcome;
    if (!isValidScriptName(name)) {
        outcome.error =
            QCoreApplication::translate("HeadlessInstall", "is not a valid script name");
        return outcome;
    }
    const std::string folderPath = posix::nativePath(userScriptsFolder);
    const posix::Fd folder = posix::openFolderPath(folderPath);
    struct stat st;
    if (!folder.valid() || !posix::statAt(folder.get(), name.toStdString(), st)) {
        outcome.error = QCoreApplication::translate("HeadlessInstall", "is not installed");
        return outcome;
    }
    std::string trashed;
    const Status status = moveToTrash(folder.get(), name.toStdString(),
                                      folderPath + '/' + name.toStdString(), &trashed);
    if (!status.ok()) {
        logFailure(status);
        outcome.error = status.description();
        return outcome;
    }
    outcome.removed = true;
    outcome.trashedName = posix::displayPath(trashed);
    return outcome;
}

} // namespace twk::installer

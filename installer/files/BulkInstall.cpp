#include "installer/files/BulkInstall.h"

#include "installer/files/StagedInstaller.h"
#include "support/log/SystemLog.h"
#include "support/text/Conversions.h"

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace twk::files {

qsizetype BulkInstallReport::failedCount() const {
    qsizetype failed = 0;
    for (const ScriptOutcome& script : scripts)
        failed += script.installed() ? 0 : 1;
    return failed;
}

BulkInstallReport installAllScripts(const std::optional<QString>& sourceFolder,
                                    const QString& userScriptsFolder,
                                    const InstallProgress& progress, int threads) {
    BulkInstallReport report;
    const std::string sourceRoot =
        sourceFolder ? text::toNativeBytes(*sourceFolder).toStdString() : std::string();
    const Fd source = sourceFolder ? openFolderPath(sourceRoot) : Fd();
    auto listed = source.valid()
                      ? readEntries(source.get())
                      : Expected<std::vector<std::string>>(Status(Step::Listing, ENOENT));
    if (!listed.ok()) {
        log::systemLog(QStringLiteral("error getting script directory"));
        report.source = sourceFolder ? SourceState::Unreadable : SourceState::TarnwickNotFound;
        return report;
    }
    const std::vector<std::string>& names = *listed;
    const qsizetype total = qsizetype(names.size());
    std::vector<ScriptOutcome> outcomes;
    for (const std::string& name : names)
        outcomes.push_back({QByteArray::fromStdString(name), {}, {}});
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

    StagedInstaller installer(text::toNativeBytes(userScriptsFolder).toStdString());
    if (Status opened = installer.open(); !opened.ok()) {
        report.destination = opened;
        for (size_t i = 0; i < outcomes.size(); ++i) {
            recordCommit(outcomes[i], opened, {});
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
                recordCommit(outcomes[i], status, {});
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
        recordCommit(outcomes[i], status, commit);
        finished(i);
    }
    return finish();
}

} // namespace twk::files

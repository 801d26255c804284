#include "installer/files/BulkInstall.h"

#include "installer/files/InstallRun.h"
#include "installer/files/Threads.h"
#include "support/log/SystemLog.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace twk::files {

qsizetype BulkInstallReport::failedCount() const {
    return std::count_if(scripts.begin(), scripts.end(),
                         [](const ScriptOutcome& script) { return !script.status.ok(); });
}

qsizetype BulkInstallReport::keptCount() const {
    return std::count_if(scripts.begin(), scripts.end(), [](const ScriptOutcome& script) {
        return script.done == ScriptOutcome::Done::EditsKept;
    });
}

qsizetype BulkInstallReport::mergedCount() const {
    return std::count_if(scripts.begin(), scripts.end(), [](const ScriptOutcome& script) {
        return script.done == ScriptOutcome::Done::Merged;
    });
}

BulkInstallReport installAllScripts(const ScriptPlaces& places, EditChoice edits,
                                    const InstallProgress& progress, int threads,
                                    const SourceFinder& findSource) {
    BulkInstallReport report;
    InstallRun run(places);
    Expected<std::vector<std::string>> listed = Status();
    const Status opened = run.open([&] { listed = run.listSource(); }, findSource);
    if (!listed.ok()) {
        log::systemLog(QStringLiteral("error getting script directory"));
        report.source = run.sourceState();
        return report;
    }
    const std::vector<std::string>& names = *listed;
    std::vector<ScriptOutcome> outcomes;
    for (const std::string& name : names)
        outcomes.push_back({QByteArray::fromStdString(name)});
    qsizetype done = 0;
    Handover reporting(names.size(), [&](size_t index) {
        ++done;
        if (progress)
            progress(outcomes[index], done, qsizetype(names.size()));
    });
    auto finished = [&reporting](size_t index) { reporting.finished(index); };
    auto finishReport = [&] {
        report.scripts = QList<ScriptOutcome>(outcomes.begin(), outcomes.end());
        return report;
    };
    if (!opened.ok()) {
        report.destination = opened;
        for (size_t i = 0; i < outcomes.size(); ++i) {
            run.fail(outcomes[i], opened);
            finished(i);
        }
        return finishReport();
    }

    // Looked at and copied on several threads; what needs no copy is finished at once.
    // Only the scripts being copied keep their job past the look: thousands of finished jobs
    // would be memory touched for nothing.
    std::vector<std::unique_ptr<ScriptJob>> jobs(names.size());
    runOnThreads(names.size(), threadsForLooking(threads), [&](size_t i) {
        ScriptJob job = run.prepare(outcomes[i].name, edits, outcomes[i]);
        if (job.wanted)
            run.stage(job, outcomes[i]);
        if (job.staged)
            jobs[i] = std::make_unique<ScriptJob>(std::move(job));
        else
            finished(i);
    });

    std::vector<const ScriptJob*> staged;
    for (const auto& job : jobs) {
        if (job)
            staged.push_back(job.get());
    }
    if (!staged.empty())
        run.markPending(staged);
    const Status flushed = staged.empty() ? Status() : run.flush();
    // Each script is put in place on its own name: several at once.
    runOnThreads(staged.empty() ? 0 : names.size(), threads, [&](size_t i) {
        if (!jobs[i])
            return;
        if (flushed.ok())
            run.commit(*jobs[i], edits, outcomes[i]);
        else
            run.abandon(*jobs[i], outcomes[i], flushed);
        finished(i);
    });
    run.finish(threads);
    return finishReport();
}

} // namespace twk::files

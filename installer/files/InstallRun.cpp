#include "installer/files/InstallRun.h"

#include "installer/files/Threads.h"
#include "support/text/Conversions.h"

#include <cerrno>
#include <thread>

namespace twk::files {
namespace {

std::string native(const QString& path) {
    return text::toNativeBytes(path).toStdString();
}

} // namespace

InstallRun::InstallRun(const ScriptPlaces& places)
    : places_(places), sourceRoot_(places.source ? native(*places.source) : std::string()),
      installer_(native(places.user)), bases_(native(places.state)) {}

Status InstallRun::open(const std::function<void()>& meanwhile, const SourceFinder& findSource) {
    const std::jthread reading([this] { record_ = InstallRecord::read(native(places_.state)); });
    const Status opened = installer_.open();
    if (findSource) {
        places_.source = findSource();
        sourceRoot_ = places_.source ? native(*places_.source) : std::string();
    }
    if (!places_.source)
        sourceState_ = SourceState::TarnwickNotFound;
    else if (source_ = openFolderPath(sourceRoot_); !source_.valid())
        sourceState_ = SourceState::Unreadable;
    if (meanwhile)
        meanwhile();
    return opened; // once the record is read
}

Expected<std::vector<std::string>> InstallRun::listSource() {
    if (!source_.valid())
        return Status(Step::Listing, ENOENT, sourceRoot_);
    auto names = readEntries(source_.get());
    if (!names.ok())
        sourceState_ = SourceState::Unreadable;
    return names;
}

void InstallRun::learn(const RecordChanges& changes) {
    if (changes.isEmpty())
        return;
    const std::lock_guard lock(learning_);
    changes_.add(changes);
}

void InstallRun::fail(ScriptOutcome& outcome, const Status& why) {
    logInstallFailure(why);
    outcome.status = why;
}

ScriptJob InstallRun::prepare(const QByteArray& name, EditChoice edits, ScriptOutcome& outcome) {
    ScriptJob job{name};
    const RecordEntry* recorded = record_.find(name);
    std::vector<Digest> ours;
    if (recorded) {
        ours.push_back(recorded->content);
        if (recorded->pending)
            ours.push_back(*recorded->pending);
    }
    installer_.recover(name.toStdString(), ours);
    // Tarnwick's copy, when it must be read, is read once: its digest, leaves and bases kept.
    const SourceReader readSource = [&](int folder, const std::string& entry) -> Expected<Digest> {
        auto kept = keepBases(bases_, folder, entry);
        if (!kept.ok())
            return kept.status();
        job.keptSource = *kept;
        return kept->content;
    };
    job.assessment = assessScript(source_.valid() ? source_.get() : -1, installer_.folderFd(),
                                  name.toStdString(), recorded, readSource);
    learn(job.assessment.changes);
    outcome.before = job.assessment.state;
    if (job.assessment.state == ScriptState::Installed)
        outcome.done = ScriptOutcome::Done::UpToDate;
    else if (holdsEdits(job.assessment.state) && edits == EditChoice::Merge)
        planMerge(job, outcome);
    else if (holdsEdits(job.assessment.state) && edits == EditChoice::Keep)
        outcome.done = ScriptOutcome::Done::EditsKept;
    else
        job.wanted = true;
    return job;
}

void InstallRun::planMerge(ScriptJob& job, ScriptOutcome& outcome) {
    outcome.done = ScriptOutcome::Done::EditsKept;
    if (job.assessment.state == ScriptState::Edited)
        return; // nothing of Tarnwick's to carry into the edit: no merge was tried
    outcome.merge = ScriptMerge::Verdict::Impossible;
    if (job.assessment.state != ScriptState::EditedAndUpdated)
        return; // nothing to merge against
    const auto versions = readVersions(source_.valid() ? source_.get() : -1, installer_.folderFd(),
                                       job.name.toStdString(), record_.find(job.name));
    if (!versions.ok())
        return;
    auto plan = files::planMerge(*versions, bases_);
    if (!plan.ok())
        return;
    outcome.merge = plan->verdict;
    if (!plan->isClean())
        return; // never installed with conflicts
    job.merge = std::move(*plan);
    job.wanted = true;
    outcome.done = ScriptOutcome::Done::Copied;
}

void InstallRun::stage(ScriptJob& job, ScriptOutcome& outcome) {
    StagedItem staged;
    // A file script not read yet is read as it is copied: its digest and base on the way.
    std::optional<KeptItem> keptWhileCopying;
    const StagedInstaller::FileCopier copyAndKeep = [&](int dir, const std::string& name,
                                                        const struct stat& st, int copyDir,
                                                        const std::string& copyName) -> Status {
        auto kept = copyKeepingBases(bases_, dir, name, st, copyDir, copyName);
        if (!kept.ok())
            return kept.status();
        keptWhileCopying = std::move(*kept);
        return {};
    };
    // Both names as the assessment just found them: not looked at again.
    std::optional<StagedInstaller::LookedAt> lookedAt;
    if (job.assessment.sourceEntry)
        lookedAt = {*job.assessment.sourceEntry, job.assessment.installedEntry};
    Status status = source_.valid()
                        ? installer_.stage(source_.get(), sourceRoot_, job.name.toStdString(),
                                           staged, job.keptSource ? nullptr : copyAndKeep,
                                           lookedAt ? &*lookedAt : nullptr)
                        : Status(Step::Copying, ENOENT, sourceRoot_);
    if (status.ok()) {
        // What was copied is what the record will say was installed; its texts are the bases
        // of later merges.
        const int folder = installer_.folderFd();
        const auto kept = keptWhileCopying       ? Expected<KeptItem>(*keptWhileCopying)
                          : sourceUnchanged(job) ? Expected<KeptItem>(*job.keptSource)
                                                 : keepBases(bases_, folder, staged.stagedName);
        Expected<Digest> content = kept.ok() ? Expected<Digest>(kept->content) : kept.status();
        if (kept.ok() && job.merge) {
            const Status merged =
                applyMerge(*job.merge, folder, staged.stagedName, folder, job.name.toStdString());
            content = merged.ok() ? contentDigest(folder, staged.stagedName) : merged;
        }
        if (content.ok()) {
            job.installedContent = kept->content;
            job.bases = kept->files;
            job.stagedContent = *content;
            job.staged = staged;
            return;
        }
        installer_.discard(staged);
        status = content.status().as(Step::Copying, sourceRoot_ + '/' + job.name.toStdString());
    }
    fail(outcome, status);
}

bool InstallRun::sourceUnchanged(const ScriptJob& job) const {
    // Tarnwick's copy read by the assessment and unchanged since: the staged copy is it.
    if (!job.keptSource || !job.assessment.sourceStamp)
        return false;
    const auto now = stampOf(source_.get(), job.name.toStdString());
    return now.ok() && job.assessment.sourceStamp->vouchesFor(*now);
}

Status InstallRun::flush() {
    // The bases first: the record names them once the copies are in place. (A failure is
    // logged; the copies stand without them.)
    (void)bases_.flush();
    return installer_.flush();
}

void InstallRun::abandon(ScriptJob& job, ScriptOutcome& outcome, const Status& why) {
    if (job.staged)
        installer_.discard(*job.staged);
    job.staged.reset();
    fail(outcome, why);
}

void InstallRun::markPending(const std::vector<const ScriptJob*>& jobs) {
    RecordChanges pending;
    for (const ScriptJob* job : jobs) {
        if (!job->staged)
            continue;
        const RecordEntry* recorded = record_.find(job->name);
        RecordEntry entry =
            recorded ? *recorded : RecordEntry{job->name, job->installedContent, {}, {}};
        entry.pending = job->installedContent;
        pending.put(entry);
    }
    (void)writeRecordChanges(native(places_.state), pending); // logged once; installs stand
}

void InstallRun::commit(ScriptJob& job, EditChoice edits, ScriptOutcome& outcome) {
    const RecordEntry* recorded = record_.find(job.name);
    const CommitRules rules{job.stagedContent,
                            recorded ? std::optional(recorded->content) : std::nullopt,
                            edits == EditChoice::Replace || job.merge.has_value(),
                            job.merge ? std::optional(job.merge->yours) : std::nullopt,
                            job.assessment.installedStamp,
                            job.assessment.installedDigest,
                            recorded ? recorded->pending : std::nullopt};
    CommitReport report;
    const Status status = installer_.commit(*job.staged, rules, report);
    if (!report.cleanup.ok())
        logInstallFailure(report.cleanup); // the new copy is in place all the same
    if (!status.ok()) {
        fail(outcome, status);
        return;
    }
    if (report.replaced == Replaced::EditKept) {
        outcome.done = ScriptOutcome::Done::EditsKept;
        return;
    }
    outcome.done = job.merge ? ScriptOutcome::Done::Merged : ScriptOutcome::Done::Copied;
    outcome.trashedName = QByteArray::fromStdString(report.trashedName);
    // A merge records Tarnwick's version as installed, its base for the next merge: the merged
    // copy then reads as the user's edit carried forward.
    const std::lock_guard lock(committing_);
    committed_.push_back({{job.name,
                           job.installedContent,
                           {},
                           job.assessment.sourceStamp.value_or(Stamp()),
                           recorded ? recorded->unknown : QCborMap(),
                           job.bases},
                          !job.merge});
}

void InstallRun::finish(int threads) {
    // Stamped once every copy is in place: the later a stamp is taken after the copy's own
    // times, the sooner it vouches for the copy.
    runOnThreads(committed_.size(), threads, [&](size_t i) {
        auto& [entry, stamped] = committed_[i];
        const auto stamp = stamped ? stampOf(installer_.folderFd(), entry.name.toStdString())
                                   : Expected<Stamp>(Status(Step::Reading, ENOENT));
        if (stamp.ok())
            entry.installed = *stamp;
    });
    for (const auto& [entry, stamped] : committed_)
        changes_.put(entry);
    committed_.clear();
    (void)writeRecordChanges(native(places_.state), changes_); // logged once; installs stand
    changes_ = {};
}

} // namespace twk::files

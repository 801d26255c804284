#pragma once

// One run of installs into the user scripts folder, for one script or all of them: both
// folders opened once, the install record read once, each script looked at and, when it is
// to be copied, staged, flushed and put in place; what the record learns is written once at
// the end. prepare() and stage() may run on several threads at once.

#include "installer/files/ScriptInstall.h"
#include "installer/files/ScriptNames.h"
#include "installer/files/StagedInstaller.h"

#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace twk::files {

// One script on its way.
struct ScriptJob {
    QByteArray name;
    Assessment assessment = {};
    bool wanted = false; // to be copied
    std::optional<StagedItem> staged = {};
    Digest stagedContent = {};
    // Tarnwick's copy as staged: what the record will say was installed, and its leaves.
    Digest installedContent = {};
    BaseFiles bases = {};
    std::optional<ScriptMerge> merge = {}; // a clean merge, staged instead of Tarnwick's copy
    // Tarnwick's copy as the assessment read it (digest, leaves, bases kept): when the copy is
    // unchanged after staging, the staged copy holds the same and is not read again.
    std::optional<KeptItem> keptSource = {};
};

class InstallRun {
public:
    explicit InstallRun(const ScriptPlaces& places);

    // Opens Tarnwick's folder and the user scripts folder (whose failure it answers) and reads
    // the record, on a thread of its own meanwhile: what the caller gives as meanwhile is done
    // then too. Where the places do not say yet where Tarnwick's folder is, findSource does,
    // once the user scripts folder is open (a terminal run looks Tarnwick up meanwhile).
    Status open(const std::function<void()>& meanwhile = {}, const SourceFinder& findSource = {});
    SourceState sourceState() const { return sourceState_; }
    // Tarnwick's script names, in the file system's order.
    Expected<std::vector<std::string>> listSource();

    // Looks at the script and decides whether it is copied; when it is not (up to date,
    // edits kept), the outcome says so.
    ScriptJob prepare(const QByteArray& name, EditChoice edits, ScriptOutcome& outcome);
    // Copies it beside its place and reads what was copied, keeping its texts as bases; a
    // merge is written over the copy.
    void stage(ScriptJob& job, ScriptOutcome& outcome);
    // Makes every staged byte durable.
    Status flush();
    // Tells the record what the staged jobs are about to put in place, before any of them is:
    // a run killed between its swaps and its record then still knows its copies for its own.
    void markPending(const std::vector<const ScriptJob*>& jobs);
    // Puts it in place, judging what the swap hands back.
    void commit(ScriptJob& job, EditChoice edits, ScriptOutcome& outcome);
    // Gives up a staged script, for the reason given.
    void abandon(ScriptJob& job, ScriptOutcome& outcome, const Status& why);
    // Records the failure in the outcome and logs it.
    void fail(ScriptOutcome& outcome, const Status& why);
    // Stamps what was put in place (on threads, for many scripts) and writes what the record
    // learned.
    void finish(int threads = 1);

private:
    void learn(const RecordChanges& changes);
    // Plans the merge the user asked for: the job is wanted only when it merges cleanly.
    void planMerge(ScriptJob& job, ScriptOutcome& outcome);
    // Whether Tarnwick's copy is still what the job's assessment read.
    bool sourceUnchanged(const ScriptJob& job) const;

    ScriptPlaces places_;
    std::string sourceRoot_;
    SourceState sourceState_ = SourceState::Listed;
    Fd source_;
    StagedInstaller installer_;
    InstallRecord record_;
    std::mutex learning_;
    RecordChanges changes_;
    BaseStore bases_;
    // Stamped at the end, but for merges: a merged copy is not what the record says was
    // installed, and must be read again each time it is looked at.
    std::mutex committing_;
    std::vector<std::pair<RecordEntry, bool>> committed_;
};

} // namespace twk::files

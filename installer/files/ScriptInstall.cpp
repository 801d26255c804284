#include "installer/files/ScriptInstall.h"

#include "installer/files/InstallRun.h"
#include "support/log/SystemLog.h"
#include "support/strings/Formatter.h"
#include "support/text/Conversions.h"

namespace twk::files {

void logInstallFailure(const Status& status) {
    const bool removing = status.step() == Step::Replacing || status.step() == Step::Trashing ||
                          status.step() == Step::Removing;
    log::systemLog(strings::format(removing ? QStringView(u"error deleting: %@")
                                            : QStringView(u"error copying script: %@"),
                                   status.description()));
}

ScriptOutcome installScriptNamed(const ScriptPlaces& places, const QByteArray& name,
                                 EditChoice edits) {
    InstallRun run(places);
    ScriptOutcome outcome{name};
    if (Status opened = run.open(); !opened.ok()) {
        run.fail(outcome, opened);
        return outcome;
    }
    ScriptJob job = run.prepare(name, edits, outcome);
    if (job.wanted)
        run.stage(job, outcome);
    if (job.staged) {
        run.markPending({&job});
        if (Status flushed = run.flush(); flushed.ok())
            run.commit(job, edits, outcome);
        else
            run.abandon(job, outcome, flushed);
    }
    run.finish();
    return outcome;
}

ScriptOutcome installScript(const QString& sourcePath, const QString& userScriptsFolder,
                            const QString& stateFolder) {
    const qsizetype slash = sourcePath.lastIndexOf(u'/');
    const QString folder = slash < 0 ? QStringLiteral(".") : sourcePath.left(qMax(slash, 1));
    return installScriptNamed({folder, userScriptsFolder, stateFolder},
                              text::toNativeBytes(sourcePath.mid(slash + 1)), EditChoice::Replace);
}

} // namespace twk::files

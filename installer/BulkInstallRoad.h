#pragma once

// Installing every one of Tarnwick's scripts, asking once first when installed copies hold the
// user's edits; then the "Done" sheet whatever happened, or, when the window was closed
// meanwhile, a notification instead.

#include "installer/Road.h"
#include "installer/files/ScriptInstall.h"

namespace twk::files {
struct BulkInstallReport;
}

namespace twk::installer {

class BulkInstallRoad : public Road {
    Q_OBJECT
Q_SIGNALS:
    // done of total scripts are finished.
    void progress(int done, int total);

protected:
    void run() override;

private:
    void install(files::EditChoice edits);
    static QString doneText(const files::BulkInstallReport& report, const QString& userFolder);
    void showDoneSheet(const files::BulkInstallReport& report, const QString& userFolder);
};

} // namespace twk::installer

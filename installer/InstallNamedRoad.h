#pragma once

// The list's Install (or Update, or Reinstall) of one of Tarnwick's scripts: no question asked,
// since the user pressed the button, unless the installed copy holds the user's edits (then
// keep them, replace them, or, when Tarnwick updated it too, merge both or save the merge with
// its conflicts); a sheet when it failed.

#include "installer/Road.h"
#include "installer/files/ScriptInstall.h"

namespace twk::installer {

class InstallNamedRoad : public Road {
    Q_OBJECT
public:
    explicit InstallNamedRoad(QByteArray name) : name_(std::move(name)) {}

protected:
    void run() override;

private:
    void install(files::EditChoice edits);
    void saveMerge();

    QByteArray name_;
};

} // namespace twk::installer

#pragma once

// "Show Differences…" of a script: the user's installed copy against Tarnwick's, and each
// side's changes since it was installed, read off the window's thread and shown in the
// differences view on the window; a notice when there is nothing to compare. The road ends
// once the view is closed.

#include "installer/Road.h"

namespace twk::installer {

class DifferencesRoad : public Road {
    Q_OBJECT
public:
    explicit DifferencesRoad(QByteArray name) : name_(std::move(name)) {}

protected:
    void run() override;

private:
    QByteArray name_;
};

} // namespace twk::installer

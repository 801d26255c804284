#pragma once

// The list's Install (or Reinstall) of one of Tarnwick's scripts: no question asked, since the
// user pressed the button; a sheet only when it failed.

#include "installer/Road.h"

namespace twk::installer {

class InstallNamedRoad : public Road {
    Q_OBJECT
public:
    explicit InstallNamedRoad(QByteArray name) : name_(std::move(name)) {}

protected:
    void run() override;

private:
    QByteArray name_;
};

} // namespace twk::installer

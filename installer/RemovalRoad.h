#pragma once

// Moving the installed copy of one script to the Trash, after asking: Cancel is the default,
// so nothing is lost by a slip of the Return key.

#include "installer/Road.h"

namespace twk::installer {

class RemovalRoad : public Road {
    Q_OBJECT
public:
    explicit RemovalRoad(QByteArray name) : name_(std::move(name)) {}

protected:
    void run() override;

private:
    void remove();

    QByteArray name_;
};

} // namespace twk::installer

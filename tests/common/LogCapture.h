#pragma once

#include "support/log/SystemLog.h"

#include <QStringList>

namespace twk::test {

// Collects the lines the program logs while it lives, instead of writing them out.
class LogCapture {
public:
    LogCapture() {
        log::setLogSinkForTesting([this](const QString& line) { lines.append(line); });
    }
    ~LogCapture() { log::setLogSinkForTesting({}); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    QStringList lines;
};

} // namespace twk::test

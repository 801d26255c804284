#pragma once

#include <QFile>

#include <cstdio>

// Prints this process's resident memory in KiB (VmRSS), for the idle-memory benchmark.
inline void printResidentMemory() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            std::printf("%s\n", line.mid(6).trimmed().split(' ').first().constData());
    }
    std::fflush(stdout);
}

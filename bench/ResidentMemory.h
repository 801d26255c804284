#pragma once

#include <QFile>

#include <cstdio>

// Prints this process's resident memory (VmRSS) and proportional set size (Pss, shared
// pages divided among the processes that map them), both in KiB: "RSS PSS".
inline void printResidentMemory() {
    qint64 rss = 0, pss = 0;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                rss = line.mid(6).trimmed().split(' ').first().toLongLong();
        }
    }
    QFile rollup(QStringLiteral("/proc/self/smaps_rollup"));
    if (rollup.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : rollup.readAll().split('\n')) {
            if (line.startsWith("Pss:"))
                pss = line.mid(4).trimmed().split(' ').first().toLongLong();
        }
    }
    std::printf("%lld %lld\n", rss, pss);
    std::fflush(stdout);
}

// Milliseconds on the system's monotonic clock, comparable between processes.
inline double monotonicMs() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

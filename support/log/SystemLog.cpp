#include "support/log/SystemLog.h"

#include "support/text/DisplayText.h"

#include <QByteArray>

#include <cstdio>
#include <mutex>
#include <syslog.h>

namespace twk::log {
namespace {

std::mutex& sinkMutex() {
    static std::mutex mutex;
    return mutex;
}

LogSink& sink() {
    static LogSink theSink;
    return theSink;
}

void openSyslogOnce() {
    static std::once_flag once;
    std::call_once(once, [] { openlog("twk-script-installer", LOG_PID, LOG_USER); });
}

} // namespace

void systemLog(const QString& line) {
    {
        std::lock_guard lock(sinkMutex());
        if (sink()) {
            sink()(line);
            return;
        }
    }
    // Control characters in a line could forge further log lines, or move the terminal's
    // cursor; they are written out instead.
    const QByteArray utf8 = text::visibleText(line).toUtf8();
    openSyslogOnce();
    syslog(LOG_NOTICE, "%s", utf8.constData());
    std::fprintf(stderr, "twk-script-installer: %s\n", utf8.constData());
    std::fflush(stderr);
}

void setLogSinkForTesting(LogSink newSink) {
    std::lock_guard lock(sinkMutex());
    sink() = std::move(newSink);
}

} // namespace twk::log

#pragma once

#include <QString>

#include <functional>

namespace twk::log {

// Writes one line to standard error and to the system log (syslog, LOG_USER|LOG_NOTICE).
// This is the program's only way to "NSLog": every log line of the installer and of
// the helper library goes through here. The text is written as given: it is never a format.
void systemLog(const QString& line);

// Lets tests see exactly what was logged. While a sink is set, lines go to the sink
// instead of stderr and syslog. Pass an empty function to restore the real log.
using LogSink = std::function<void(const QString& line)>;
void setLogSinkForTesting(LogSink sink);

} // namespace twk::log

#pragma once

// The session bus, through GDBus: one connection per process, made within a bounded time, so
// that a bus that accepts connections but never answers cannot hang the program.

typedef struct _GDBusConnection GDBusConnection;

namespace twk::platform {

// The connection, made on first use; null when there is no bus or it did not answer within
// timeoutMs. The first call decides for the whole process.
GDBusConnection* sessionBus(int timeoutMs = 3000);

} // namespace twk::platform

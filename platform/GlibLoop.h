#pragma once

// GLib's main loop where Qt's does not reach: a private context to wait in for the replies of
// calls made meanwhile, and GLib's default context run from Qt's event loop.

#include <chrono>
#include <functional>
#include <optional>

typedef struct _GMainContext GMainContext;

namespace twk::platform {

// A new main context, the calling thread's default while it lives: replies to the calls made
// meanwhile arrive only where its owner waits for them.
class PrivateMainContext {
public:
    PrivateMainContext();
    ~PrivateMainContext();
    PrivateMainContext(const PrivateMainContext&) = delete;
    PrivateMainContext& operator=(const PrivateMainContext&) = delete;

    GMainContext* get() const { return context_; }

    // Runs the context until done() holds (true), or until the deadline passed (false). done()
    // is asked at least every 50 ms, whatever arrives.
    bool runUntil(const std::function<bool()>& done,
                  std::optional<std::chrono::milliseconds> deadline = std::nullopt);

private:
    GMainContext* context_;
};

// GDBus delivers replies and calls through GLib's default main context, which Qt's event
// loop runs when Qt was built with GLib; otherwise a timer runs it. Call once an application
// object exists.
void runGlibFromQtEventLoop();

} // namespace twk::platform

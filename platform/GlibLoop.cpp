#include "platform/GlibLoop.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QTimer>

#include <glib.h>

namespace twk::platform {

PrivateMainContext::PrivateMainContext() : context_(g_main_context_new()) {
    g_main_context_push_thread_default(context_);
}

PrivateMainContext::~PrivateMainContext() {
    g_main_context_pop_thread_default(context_);
    g_main_context_unref(context_);
}

bool PrivateMainContext::runUntil(const std::function<bool()>& done,
                                  std::optional<std::chrono::milliseconds> deadline) {
    const gint64 giveUpAt =
        deadline ? g_get_monotonic_time() + gint64(deadline->count()) * 1000 : G_MAXINT64;
    g_autoptr(GSource) tick = g_timeout_source_new(50);
    g_source_set_callback(
        tick, [](gpointer) { return gboolean(G_SOURCE_CONTINUE); }, nullptr, nullptr);
    g_source_attach(tick, context_);
    bool held = done();
    while (!held && g_get_monotonic_time() < giveUpAt) {
        g_main_context_iteration(context_, TRUE);
        held = done();
    }
    g_source_destroy(tick);
    return held;
}

void runGlibFromQtEventLoop() {
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (!dispatcher || dispatcher->inherits("QEventDispatcherGlib") ||
        dispatcher->inherits("QPAEventDispatcherGlib"))
        return;
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [] {
        while (g_main_context_iteration(nullptr, FALSE)) {
        }
    });
    timer->start(20);
}

} // namespace twk::platform

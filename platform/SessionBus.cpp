#include "platform/SessionBus.h"

#include "platform/GlibLoop.h"

#include <gio/gio.h>

namespace twk::platform {
namespace {

// Shared by the caller and the connect callback: whichever comes last frees it, so a
// handshake that answers after the caller gave up finds it still there.
struct PendingConnect {
    GDBusConnection* connection = nullptr;
    bool done = false;
    bool abandoned = false;
};

void connected(GObject*, GAsyncResult* result, gpointer data) {
    auto* pending = static_cast<PendingConnect*>(data);
    g_autoptr(GDBusConnection) connection =
        g_dbus_connection_new_for_address_finish(result, nullptr);
    if (pending->abandoned) {
        delete pending;
        return;
    }
    pending->connection = static_cast<GDBusConnection*>(g_steal_pointer(&connection));
    pending->done = true;
}

GDBusConnection* connect(int timeoutMs) {
    g_autofree gchar* address =
        g_dbus_address_get_for_bus_sync(G_BUS_TYPE_SESSION, nullptr, nullptr);
    if (!address)
        return nullptr;
    PrivateMainContext context;
    g_autoptr(GCancellable) cancellable = g_cancellable_new();
    auto* pending = new PendingConnect;
    g_dbus_connection_new_for_address(
        address,
        GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                             G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
        nullptr, cancellable, connected, pending);
    context.runUntil([pending] { return pending->done; }, std::chrono::milliseconds(timeoutMs));
    GDBusConnection* connection = pending->connection;
    if (pending->done) {
        delete pending;
    } else {
        pending->abandoned = true; // its callback frees it, if it ever comes
        g_cancellable_cancel(cancellable);
    }
    if (connection)
        g_dbus_connection_set_exit_on_close(connection, FALSE);
    return connection;
}

} // namespace

GDBusConnection* sessionBus(int timeoutMs) {
    static GDBusConnection* const bus = connect(timeoutMs);
    return bus;
}

} // namespace twk::platform

#include "app/SingleInstance.h"

#include "platform/GlibLoop.h"
#include "platform/Notifications.h"
#include "platform/SessionBus.h"
#include "support/environment/ApplicationId.h"
#include "support/text/Conversions.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <gio/gio.h>

#include <cstdio>
#include <optional>
#include <vector>

Q_LOGGING_CATEGORY(lcInstance, "twk.app.instance")

namespace twk::app {
namespace {

constexpr char BusService[] = "org.freedesktop.DBus";
constexpr char BusPath[] = "/org/freedesktop/DBus";
constexpr int BusTimeoutMs = 3000;
constexpr int SlowAfterMs = 3000;
constexpr int NoteTimeoutMs = 2000;
constexpr guint32 DoNotQueue = 4;
constexpr guint32 PrimaryOwner = 1, AlreadyOwner = 4;

// The state of one forwarded call; freed by whichever of the caller and the reply is last.
struct PendingCall {
    bool replied = false;
    bool abandoned = false;
    GError* error = nullptr;
    bool ownerSeen = false;
    bool ownerGone = false;
    ~PendingCall() { g_clear_error(&error); }
};

void callReturned(GObject* source, GAsyncResult* result, gpointer data) {
    auto* pending = static_cast<PendingCall*>(data);
    g_autoptr(GVariant) reply =
        g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &pending->error);
    pending->replied = true;
    if (pending->abandoned)
        delete pending;
}

void ownerChanged(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar*,
                  GVariant* parameters, gpointer data) {
    auto* pending = static_cast<PendingCall*>(data);
    const gchar *name, *oldOwner, *newOwner;
    g_variant_get(parameters, "(&s&s&s)", &name, &oldOwner, &newOwner);
    if (*newOwner)
        pending->ownerSeen = true;
    else if (pending->ownerSeen)
        pending->ownerGone = true;
}

std::optional<bool> nameHasOwner(GDBusConnection* bus) {
    g_autoptr(GVariant) reply = g_dbus_connection_call_sync(
        bus, BusService, BusPath, BusService, "NameHasOwner",
        g_variant_new("(s)", environment::ApplicationId), G_VARIANT_TYPE("(b)"),
        G_DBUS_CALL_FLAGS_NONE, BusTimeoutMs, nullptr, nullptr);
    if (!reply)
        return std::nullopt;
    gboolean owned = false;
    g_variant_get(reply, "(b)", &owned);
    return owned;
}

GVariant* requestParameters(const QStringList& urls, const char*& method) {
    GVariantBuilder platformData;
    g_variant_builder_init(&platformData, G_VARIANT_TYPE("a{sv}"));
    if (urls.isEmpty()) {
        method = "Activate";
        return g_variant_new("(a{sv})", &platformData);
    }
    method = "Open";
    GVariantBuilder uris;
    g_variant_builder_init(&uris, G_VARIANT_TYPE("as"));
    for (const QString& url : urls)
        g_variant_builder_add(&uris, "s", text::toNativeBytes(url).constData());
    return g_variant_new("(asa{sv})", &uris, &platformData);
}

void tellUserTheInstanceIsSlow() {
    const QString text = QCoreApplication::translate(
        "SingleInstance", "The installer that is running already is busy; this request waits "
                          "its turn.");
    std::fprintf(stderr, "twk-script-installer: %s\n", text.toLocal8Bit().constData());
    platform::notify(QCoreApplication::translate("SingleInstance", "TWK Script Installer is busy"),
                     text);
}

} // namespace

namespace {

// Whether a failed call never reached an instance: the bus itself answered that nobody owned
// the name, or that the one it started went away before it took the name.
bool neverDelivered(const GError* error) {
    static constexpr GDBusError busErrors[] = {G_DBUS_ERROR_SERVICE_UNKNOWN,
                                               G_DBUS_ERROR_NAME_HAS_NO_OWNER,
                                               G_DBUS_ERROR_SPAWN_EXEC_FAILED,
                                               G_DBUS_ERROR_SPAWN_FORK_FAILED,
                                               G_DBUS_ERROR_SPAWN_CHILD_EXITED,
                                               G_DBUS_ERROR_SPAWN_CHILD_SIGNALED,
                                               G_DBUS_ERROR_SPAWN_FAILED,
                                               G_DBUS_ERROR_SPAWN_SERVICE_INVALID,
                                               G_DBUS_ERROR_SPAWN_SERVICE_NOT_FOUND,
                                               G_DBUS_ERROR_SPAWN_NO_MEMORY,
                                               G_DBUS_ERROR_SPAWN_SETUP_FAILED,
                                               G_DBUS_ERROR_SPAWN_CONFIG_INVALID,
                                               G_DBUS_ERROR_SPAWN_FILE_INVALID,
                                               G_DBUS_ERROR_SPAWN_PERMISSIONS_INVALID};
    for (const GDBusError code : busErrors) {
        if (g_error_matches(error, G_DBUS_ERROR, code))
            return true;
    }
    return false;
}

enum class Sent { Delivered, NotDelivered, Refused, OwnerGone };

// One call of the request, to the owner of the name (or, with activate, to the instance the
// bus starts), waited for as long as that owner lives.
Sent sendOnce(GDBusConnection* bus, platform::PrivateMainContext& context, const QStringList& urls,
              bool owned) {
    auto* pending = new PendingCall;
    pending->ownerSeen = owned;
    const guint subscription = g_dbus_connection_signal_subscribe(
        bus, BusService, BusService, "NameOwnerChanged", BusPath, environment::ApplicationId,
        G_DBUS_SIGNAL_FLAGS_NONE, ownerChanged, pending, nullptr);
    g_autoptr(GCancellable) cancellable = g_cancellable_new();
    const char* method = nullptr;
    GVariant* parameters = requestParameters(urls, method);
    // An instance that runs is waited for as long as it lives; one being started by the bus
    // is bounded by the bus's own activation timeout.
    g_dbus_connection_call(bus, environment::ApplicationId, ObjectPath, ApplicationInterface,
                           method, parameters, nullptr,
                           owned ? G_DBUS_CALL_FLAGS_NO_AUTO_START : G_DBUS_CALL_FLAGS_NONE,
                           G_MAXINT, cancellable, callReturned, pending);
    const gint64 slowAt = g_get_monotonic_time() + gint64(SlowAfterMs) * 1000;
    bool told = false;
    context.runUntil([&] {
        if (!told && !pending->replied && g_get_monotonic_time() > slowAt) {
            told = true;
            tellUserTheInstanceIsSlow();
        }
        return pending->replied || pending->ownerGone;
    });
    g_dbus_connection_signal_unsubscribe(bus, subscription);
    if (!pending->replied) {
        pending->abandoned = true; // the reply, should it come, frees it
        g_cancellable_cancel(cancellable);
        return Sent::OwnerGone;
    }
    Sent result = Sent::Delivered;
    if (pending->error) {
        qCInfo(lcInstance) << "forwarding failed:" << pending->error->message;
        // Only the instance's own answer is a refusal.
        result = neverDelivered(pending->error) ? Sent::NotDelivered
                 : pending->ownerGone           ? Sent::OwnerGone
                                                : Sent::Refused;
    }
    delete pending;
    return result;
}

} // namespace

Forwarding forwardToRunningInstance(const QStringList& urls, bool activate) {
    GDBusConnection* bus = platform::sessionBus(BusTimeoutMs);
    if (!bus)
        return Forwarding::NoBus;
    platform::PrivateMainContext context;
    Forwarding result = Forwarding::NoInstance;
    // A request sent while nobody owned the name goes again to the owner that appeared
    // meanwhile (another launch that became the instance); with none, this launch keeps it.
    for (int attempt = 0; attempt < 5; ++attempt) {
        const std::optional<bool> owned = nameHasOwner(bus);
        if (!owned)
            return Forwarding::NoBus;
        if (!*owned && (!activate || attempt > 0))
            break;
        const Sent sent = sendOnce(bus, context, urls, *owned);
        if (sent != Sent::NotDelivered) {
            result = sent == Sent::Delivered ? Forwarding::Delivered
                     : sent == Sent::Refused ? Forwarding::Refused
                                             : Forwarding::OwnerGone;
            break;
        }
    }
    // The note that the instance was slow goes through this context too: let it reach the
    // service before the launch ends, a moment at most.
    const gint64 noteBy = g_get_monotonic_time() + gint64(NoteTimeoutMs) * 1000;
    context.runUntil(
        [&] { return platform::notificationsInFlight() == 0 || g_get_monotonic_time() > noteBy; });
    return result;
}

namespace {

constexpr char Introspection[] = R"(<node>
  <interface name="org.freedesktop.Application">
    <method name="Activate"><arg type="a{sv}" name="platform_data" direction="in"/></method>
    <method name="Open">
      <arg type="as" name="uris" direction="in"/>
      <arg type="a{sv}" name="platform_data" direction="in"/>
    </method>
    <method name="ActivateAction">
      <arg type="s" name="action_name" direction="in"/>
      <arg type="av" name="parameter" direction="in"/>
      <arg type="a{sv}" name="platform_data" direction="in"/>
    </method>
  </interface>
</node>)";

void methodCalled(GDBusConnection*, const gchar*, const gchar*, const gchar*, const gchar* method,
                  GVariant* parameters, GDBusMethodInvocation* invocation, gpointer data) {
    auto* service = static_cast<ApplicationService*>(data);
    // Answered first: the caller never waits for what the request then does.
    if (g_strcmp0(method, "Open") == 0) {
        QStringList uris;
        g_autoptr(GVariantIter) iter = nullptr;
        const gchar* uri = nullptr;
        g_variant_get(parameters, "(asa{sv})", &iter, nullptr);
        while (g_variant_iter_next(iter, "&s", &uri))
            uris.append(text::fromNativeBytes(uri));
        g_dbus_method_invocation_return_value(invocation, nullptr);
        QMetaObject::invokeMethod(
            service, [service, uris] { Q_EMIT service->openRequested(uris); },
            Qt::QueuedConnection);
    } else if (g_strcmp0(method, "ActivateAction") == 0) {
        const gchar* name = nullptr;
        g_variant_get(parameters, "(&sava{sv})", &name, nullptr, nullptr);
        const QString action = text::fromNativeBytes(name);
        g_dbus_method_invocation_return_value(invocation, nullptr);
        QMetaObject::invokeMethod(
            service, [service, action] { Q_EMIT service->actionRequested(action); },
            Qt::QueuedConnection);
    } else {
        g_dbus_method_invocation_return_value(invocation, nullptr);
        QMetaObject::invokeMethod(service, &ApplicationService::activateRequested,
                                  Qt::QueuedConnection);
    }
}

const GDBusInterfaceVTable Methods = {methodCalled, nullptr, nullptr, {nullptr}};

} // namespace

ApplicationService::ApplicationService(QObject* parent) : QObject(parent) {}

ApplicationService::~ApplicationService() {
    if (registration_)
        g_dbus_connection_unregister_object(platform::sessionBus(), registration_);
}

ApplicationService::Registration ApplicationService::registerOnSessionBus() {
    GDBusConnection* bus = platform::sessionBus(BusTimeoutMs);
    if (!bus)
        return Registration::NoBus;
    static GDBusNodeInfo* const node = g_dbus_node_info_new_for_xml(Introspection, nullptr);
    registration_ = g_dbus_connection_register_object(bus, ObjectPath, node->interfaces[0],
                                                      &Methods, this, nullptr, nullptr);
    if (!registration_)
        return Registration::Taken;
    g_autoptr(GVariant) reply = g_dbus_connection_call_sync(
        bus, BusService, BusPath, BusService, "RequestName",
        g_variant_new("(su)", environment::ApplicationId, DoNotQueue), G_VARIANT_TYPE("(u)"),
        G_DBUS_CALL_FLAGS_NONE, BusTimeoutMs, nullptr, nullptr);
    if (!reply)
        return Registration::NoBus;
    guint32 answer = 0;
    g_variant_get(reply, "(u)", &answer);
    return answer == PrimaryOwner || answer == AlreadyOwner ? Registration::Owner
                                                            : Registration::Taken;
}

} // namespace twk::app

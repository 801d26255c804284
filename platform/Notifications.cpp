#include "platform/Notifications.h"

#include "platform/SessionBus.h"
#include "support/environment/ApplicationId.h"
#include "support/text/DisplayText.h"

#include <QLoggingCategory>

#include <gio/gio.h>

#include <atomic>
#include <memory>

Q_LOGGING_CATEGORY(lcNotifications, "twk.platform.notifications")

namespace twk::platform {
namespace {

constexpr char Service[] = "org.freedesktop.Notifications";
constexpr char Path[] = "/org/freedesktop/Notifications";
constexpr int CallTimeoutMs = 5000;
std::atomic<int> inFlight{0};

struct Notification {
    QByteArray summary;
    QString body;
};

void sent(GObject* source, GAsyncResult* result, gpointer) {
    g_autoptr(GError) error = nullptr;
    g_autoptr(GVariant) reply =
        g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, &error);
    if (!reply)
        qCInfo(lcNotifications) << "notification not shown:" << error->message;
    --inFlight;
}

bool drawsMarkup(GVariant* capabilities) {
    if (!capabilities)
        return false;
    g_autoptr(GVariantIter) iter = nullptr;
    const gchar* capability = nullptr;
    bool markup = false;
    g_variant_get(capabilities, "(as)", &iter);
    while (g_variant_iter_next(iter, "&s", &capability))
        markup = markup || g_strcmp0(capability, "body-markup") == 0;
    return markup;
}

void capabilitiesKnown(GObject* source, GAsyncResult* result, gpointer data) {
    std::unique_ptr<Notification> notification(static_cast<Notification*>(data));
    g_autoptr(GVariant) capabilities =
        g_dbus_connection_call_finish(G_DBUS_CONNECTION(source), result, nullptr);
    if (!capabilities) {
        --inFlight; // no notification service
        return;
    }
    const QByteArray body = (drawsMarkup(capabilities) ? text::markupSafeText(notification->body)
                                                       : text::visibleText(notification->body))
                                .toUtf8();
    GVariantBuilder hints;
    g_variant_builder_init(&hints, G_VARIANT_TYPE("a{sv}"));
    g_variant_builder_add(&hints, "{sv}", "desktop-entry",
                          g_variant_new_string(environment::ApplicationId));
    g_dbus_connection_call(
        G_DBUS_CONNECTION(source), Service, Path, Service, "Notify",
        g_variant_new("(susssasa{sv}i)", "TWK Script Installer", 0u, environment::ApplicationId,
                      notification->summary.constData(), body.constData(), nullptr, &hints, -1),
        G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NONE, CallTimeoutMs, nullptr, sent, nullptr);
}

} // namespace

void notify(const QString& summary, const QString& body) {
    GDBusConnection* bus = sessionBus();
    if (!bus)
        return;
    ++inFlight;
    auto* notification = new Notification{text::visibleText(summary).toUtf8(), body};
    g_dbus_connection_call(bus, Service, Path, Service, "GetCapabilities", nullptr,
                           G_VARIANT_TYPE("(as)"), G_DBUS_CALL_FLAGS_NONE, CallTimeoutMs, nullptr,
                           capabilitiesKnown, notification);
}

int notificationsInFlight() {
    return inFlight;
}

} // namespace twk::platform

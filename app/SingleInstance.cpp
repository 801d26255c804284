#include "app/SingleInstance.h"

#include "support/defaults/UserDefaults.h"

#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QLoggingCategory>

#include <gio/gio.h>

#include <vector>

Q_LOGGING_CATEGORY(lcInstance, "twk.app.instance")

namespace twk::app {
namespace {

// org.freedesktop.Application, kept to its three methods. Requests are answered at once
// and carried out afterwards from the event loop, so a long copy never delays a caller.
class ApplicationAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    explicit ApplicationAdaptor(ApplicationService* service)
        : QDBusAbstractAdaptor(service), service_(service) {}

public Q_SLOTS:
    void Activate(const QVariantMap&) {
        QMetaObject::invokeMethod(service_, &ApplicationService::activateRequested,
                                  Qt::QueuedConnection);
    }
    void Open(const QStringList& uris, const QVariantMap&) {
        QMetaObject::invokeMethod(
            service_, [s = service_, uris] { Q_EMIT s->openRequested(uris); },
            Qt::QueuedConnection);
    }
    void ActivateAction(const QString& name, const QVariantList&, const QVariantMap&) {
        QMetaObject::invokeMethod(
            service_, [s = service_, name] { Q_EMIT s->actionRequested(name); },
            Qt::QueuedConnection);
    }

private:
    ApplicationService* service_;
};

struct GErrorHolder {
    GError* error = nullptr;
    ~GErrorHolder() { g_clear_error(&error); }
};

} // namespace

Forwarding forwardToRunningInstance(const QStringList& urls, int timeoutMs) {
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") &&
        qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return Forwarding::NoBus;
    GErrorHolder err;
    GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &err.error);
    if (!bus)
        return Forwarding::NoBus;
    GVariant* owner = g_dbus_connection_call_sync(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "NameHasOwner", g_variant_new("(s)", defaults::ApplicationId), G_VARIANT_TYPE("(b)"),
        G_DBUS_CALL_FLAGS_NONE, timeoutMs, nullptr, &err.error);
    if (!owner) {
        g_object_unref(bus);
        return Forwarding::NoBus;
    }
    gboolean hasOwner = false;
    g_variant_get(owner, "(b)", &hasOwner);
    g_variant_unref(owner);
    if (!hasOwner) {
        g_object_unref(bus);
        return Forwarding::NoInstance;
    }

    GVariantBuilder platformData;
    g_variant_builder_init(&platformData, G_VARIANT_TYPE("a{sv}"));
    GVariant* parameters;
    const char* method;
    if (urls.isEmpty()) {
        method = "Activate";
        parameters = g_variant_new("(a{sv})", &platformData);
    } else {
        method = "Open";
        std::vector<QByteArray> utf8;
        std::vector<const char*> pointers;
        for (const QString& url : urls)
            utf8.push_back(url.toUtf8());
        for (const QByteArray& u : utf8)
            pointers.push_back(u.constData());
        parameters = g_variant_new("(@asa{sv})",
                                   g_variant_new_strv(pointers.data(), gssize(pointers.size())),
                                   &platformData);
    }
    GVariant* reply = g_dbus_connection_call_sync(
        bus, defaults::ApplicationId, ObjectPath, ApplicationInterface, method, parameters, nullptr,
        G_DBUS_CALL_FLAGS_NO_AUTO_START, timeoutMs, nullptr, &err.error);
    g_object_unref(bus);
    if (!reply) {
        qCWarning(lcInstance) << "the running instance did not answer:"
                              << (err.error ? err.error->message : "");
        return Forwarding::Failed;
    }
    g_variant_unref(reply);
    return Forwarding::Delivered;
}

ApplicationService::ApplicationService(QObject* parent) : QObject(parent) {
    new ApplicationAdaptor(this);
}

ApplicationService::Registration ApplicationService::registerOnSessionBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return Registration::NoBus;
    if (!bus.registerObject(QLatin1String(ObjectPath), this, QDBusConnection::ExportAdaptors))
        return Registration::Taken;
    const auto reply = bus.interface()->registerService(
        QLatin1String(defaults::ApplicationId), QDBusConnectionInterface::DontQueueService,
        QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid())
        return Registration::NoBus;
    return reply.value() == QDBusConnectionInterface::ServiceRegistered ? Registration::Owner
                                                                        : Registration::Taken;
}

} // namespace twk::app

#include "SingleInstance.moc"

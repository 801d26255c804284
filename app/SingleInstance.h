#pragma once

// One running instance per session, by the freedesktop application contract: the instance
// owns the bus name org.tarnwick.ScriptInstaller and serves org.freedesktop.Application at
// /org/tarnwick/ScriptInstaller; later launches hand it their URLs and exit.

#include <QObject>
#include <QStringList>
#include <QVariantMap>

namespace twk::app {

inline constexpr char ObjectPath[] = "/org/tarnwick/ScriptInstaller";
inline constexpr char ApplicationInterface[] = "org.freedesktop.Application";

enum class Forwarding { Delivered, NoInstance, NoBus, Failed };

// Asks a running instance to open the URLs (or, with none, to come forward). Needs no Qt
// application object, so a forwarding launch builds no window at all. An instance that
// does not answer within timeoutMs counts as Failed.
Forwarding forwardToRunningInstance(const QStringList& urls, int timeoutMs = 5000);

// The instance's side: what the bus asks of the application.
class ApplicationService : public QObject {
    Q_OBJECT
public:
    enum class Registration { Owner, Taken, NoBus };

    explicit ApplicationService(QObject* parent = nullptr);

    // Publishes the object, then claims the bus name (never queued, never replacing).
    Registration registerOnSessionBus();

Q_SIGNALS:
    void activateRequested();
    void openRequested(const QStringList& uris);
    void actionRequested(const QString& name);
};

} // namespace twk::app

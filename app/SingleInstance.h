#pragma once

// One running instance per session, by the freedesktop application contract: the instance
// owns the bus name org.tarnwick.ScriptInstaller and serves org.freedesktop.Application at
// /org/tarnwick/ScriptInstaller; later launches hand it their URLs and exit. Served and
// called through GDBus, every call made before a window exists within a bounded time.

#include <QObject>
#include <QStringList>

namespace twk::app {

inline constexpr char ObjectPath[] = "/org/tarnwick/ScriptInstaller";
inline constexpr char ApplicationInterface[] = "org.freedesktop.Application";

enum class Forwarding {
    Delivered,  // the instance has the request
    NoInstance, // nobody owns the name (and none could be started)
    NoBus,      // no session bus, or one that does not answer
    Refused,    // the instance lives but refused the call
    OwnerGone,  // the instance went away before it answered
};

// Hands the URLs (or, with none, a request to come forward) to the running instance. With
// activate, an instance that does not run yet is started by the bus (D-Bus activation) and
// handed them. Once the call has reached an instance, waits for its answer as long as that
// instance lives, and tells the user on standard error when it is slow, so a request is
// never handled twice.
Forwarding forwardToRunningInstance(const QStringList& urls, bool activate);

// The instance's side: what the bus asks of the application. Calls are answered at once
// and carried out afterwards from the event loop.
class ApplicationService : public QObject {
    Q_OBJECT
public:
    enum class Registration { Owner, Taken, NoBus };

    explicit ApplicationService(QObject* parent = nullptr);
    ~ApplicationService() override;

    // Publishes the object, then claims the bus name (never queued, never replacing).
    Registration registerOnSessionBus();

Q_SIGNALS:
    void activateRequested();
    void openRequested(const QStringList& uris);
    void actionRequested(const QString& name);

private:
    unsigned registration_ = 0;
};

} // namespace twk::app

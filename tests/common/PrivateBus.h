#pragma once

// A private session bus for tests that run real instances of the installer.

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QtTest>

namespace twk::test {

class PrivateBus {
public:
    // Starts dbus-daemon; address() is empty when that failed.
    PrivateBus() {
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
        if (daemon_.waitForStarted() &&
            QTest::qWaitFor([&] { return daemon_.canReadLine() || daemon_.waitForReadyRead(100); },
                            10000))
            address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus() {
        daemon_.kill();
        daemon_.waitForFinished();
    }

    const QString& address() const { return address_; }

    QDBusConnection connection() const {
        return QDBusConnection::connectToBus(address_, QStringLiteral("twk-test"));
    }

    // The process that owns the name, 0 for none.
    qint64 ownerPid(const QString& name) const {
        QDBusConnectionInterface* bus = connection().interface();
        if (!bus->isServiceRegistered(name))
            return 0;
        return bus->servicePid(name).value();
    }

private:
    QProcess daemon_;
    QString address_;
};

} // namespace twk::test

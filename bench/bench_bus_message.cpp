// Baseline for a launch that the session bus starts: the least a Qt program that the bus
// can start does to answer org.freedesktop.Application.Open with a message box. Run by the
// bus from a .service file, as the installer is, with --gapplication-service: it owns
// org.tarnwick.ScriptInstaller, answers the call, shows the box and writes the monotonic
// time in ms at which it is shown to $TWK_BENCH_SHEET_FILE, then quits.

#include "bench/ResidentMemory.h"

#include <QApplication>
#include <QDBusConnection>
#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <QVariantMap>

#include <memory>

namespace {

class Application : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public Q_SLOTS:
    void Activate(const QVariantMap&) {}
    void Open(const QStringList& uris, const QVariantMap&) {
        if (uris.isEmpty() || box_)
            return;
        box_ = std::make_unique<QMessageBox>(QMessageBox::Warning,
                                             QStringLiteral("Install script 'Open Recent.sh' ?"),
                                             QStringLiteral("Do you want to install this script?"),
                                             QMessageBox::Ok | QMessageBox::Cancel);
        box_->open();
        QTimer::singleShot(0, [] {
            QFile out(qEnvironmentVariable("TWK_BENCH_SHEET_FILE"));
            out.open(QIODevice::WriteOnly);
            out.write(QByteArray::number(monotonicMs(), 'f', 3));
            out.close();
            QCoreApplication::quit();
        });
    }

private:
    std::unique_ptr<QMessageBox> box_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Application application;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/tarnwick/ScriptInstaller"), &application,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QStringLiteral("org.tarnwick.ScriptInstaller")))
        return 1;
    return app.exec();
}

#include "bench_bus_message.moc"

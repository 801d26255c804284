#pragma once

// What every test program shares: a private desktop in temporary folders, the real program
// run, folder trees compared, sheets answered as a user would, a private session bus.

#include <QMap>
#include <QProcess>
#include <QtTest>

namespace twk::test {

// A private desktop: temporary HOME and XDG folders in which the demo Tarnwick handles
// twkrelaunch URLs, found by GIO for real. Laid out before any GIO or preference use.
struct Sandbox {
    QString root, home, sourceScripts, userScripts, config;
    QString received; // what the demo Tarnwick was opened with, one URL per line
    QStringList receivedUrls() const;
    QString installed(const QString& name) const { return userScripts + u'/' + name; }
    QString source(const QString& name) const { return sourceScripts + u'/' + name; }
};
const Sandbox& setUpSandbox(const QStringList& options = {});
const Sandbox& sandbox();
// Another sandbox in dir, as the environment of a child process.
QProcessEnvironment sandboxEnvironment(const QString& dir, const QStringList& options = {});

// The installer (or another program) run to its end.
struct Ran {
    int status = -1;
    QString out, err;
};
QString program();
Ran run(const QStringList& arguments,
        const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
        const QString& workingDirectory = {}, const QString& executable = program());

void write(const QString& path, const QByteArray& content);
// A Unix socket at path, listening and never accepting; closed with the returned descriptor.
int listeningSocket(const QString& path);
QByteArray read(const QString& path);
QStringList entries(const QString& folder); // hidden ones too, sorted
// Every entry below root, with its content (files) or target (links): a tree to compare.
QMap<QString, QByteArray> tree(const QString& root);

// dbus-daemon for one test, with the sandbox's service folder (so the installer can be
// started by the bus).
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    const QString& address() const { return address_; }
    QProcessEnvironment environment() const;
    qint64 ownerPid(const QString& name) const; // 0 for none

private:
    QProcess daemon_;
    QString address_;
};

// The desktop's notification service, as far as the installer talks to it, on a bus.
class NotificationService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    bool listen(const QString& busAddress);
    QStringList received; // "summary|body"
public Q_SLOTS:
    QStringList GetCapabilities();
    uint Notify(const QString& app, uint replaces, const QString& icon, const QString& summary,
                const QString& body, const QStringList& actions, const QVariantMap& hints,
                int timeout);
};

} // namespace twk::test

// QTEST_MAIN with the sandbox laid out first. TWK_TEST_APPLICATION is QApplication for the
// tests with widgets, QCoreApplication for the others.
#define TWK_TEST_MAIN(TestObject, ...)                                                             \
    int main(int argc, char** argv) {                                                              \
        twk::test::setUpSandbox(__VA_ARGS__);                                                      \
        TWK_TEST_APPLICATION app(argc, argv);                                                      \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

#include "tests/common/Testing.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace twk::test {
static Sandbox theSandbox;

QStringList Sandbox::receivedUrls() const {
    return QString::fromUtf8(read(received)).split(u'\n', Qt::SkipEmptyParts);
}

QProcessEnvironment sandboxEnvironment(const QString& dir, const QStringList& options) {
    QProcess script;
    script.start(QStringLiteral(TWK_SOURCE_DIR "/examples/demo-tarnwick/make-sandbox.sh"),
                 QStringList{dir, QStringLiteral("--service"), program()} + options);
    if (!script.waitForFinished(30000) || script.exitCode() != 0)
        qFatal("make-sandbox.sh failed: %s", script.readAllStandardError().constData());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")); // no bus unless a test starts one
    for (const QString& line :
         QString::fromUtf8(script.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype eq = line.indexOf(u'='); // export NAME='value'
        env.insert(line.mid(7, eq - 7), line.mid(eq + 2, line.size() - eq - 3));
    }
    return env;
}

const Sandbox& setUpSandbox(const QStringList& options) {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/twk-test-XXXXXX"));
    const QProcessEnvironment env = sandboxEnvironment(dir.path(), options);
    for (const QString& name : env.keys())
        qputenv(name.toLocal8Bit().constData(), env.value(name).toLocal8Bit());
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    Sandbox& box = theSandbox;
    box.root = dir.path();
    box.home = env.value(QStringLiteral("HOME"));
    box.config = env.value(QStringLiteral("XDG_CONFIG_HOME"));
    box.sourceScripts = box.root + QStringLiteral("/Tarnwick.app/Contents/Resources/TWK_Scripts");
    box.userScripts =
        box.home +
        QStringLiteral("/Library/Application Scripts/org.tarnwick.Tarnwick.MenuExtension");
    box.received = box.root + QStringLiteral("/tarnwick-received.log");
    return box;
}

const Sandbox& sandbox() {
    return theSandbox;
}

QString program() {
    return QStringLiteral(TWK_BIN_DIR "/twk-script-installer");
}

Ran run(const QStringList& arguments, const QProcessEnvironment& env,
        const QString& workingDirectory, const QString& executable) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workingDirectory);
    process.start(executable, arguments);
    if (!process.waitForFinished(120000))
        process.kill(); // and reported as a crash
    process.waitForFinished();
    Ran ran;
    ran.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    ran.out = QString::fromUtf8(process.readAllStandardOutput());
    ran.err = QString::fromUtf8(process.readAllStandardError());
    return ran;
}

void write(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
}

int listeningSocket(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 16) != 0)
        qFatal("cannot listen on %s", qPrintable(path));
    return fd;
}

QByteArray read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QMap<QString, QByteArray> tree(const QString& root) {
    QMap<QString, QByteArray> found;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        char target[4096];
        const ssize_t n = info.isSymLink() ? ::readlink(QFile::encodeName(path).constData(), target,
                                                        sizeof target)
                                           : 0;
        found.insert(path.mid(root.size()), info.isSymLink()
                                                ? "-> " + QByteArray(target, qMax<ssize_t>(n, 0))
                                            : info.isFile() ? read(path)
                                                            : QByteArray("/"));
    }
    return found;
}

PrivateBus::PrivateBus() {
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--session"), QStringLiteral("--nofork"),
                   QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
    if (daemon_.waitForStarted() &&
        QTest::qWaitFor([&] { return daemon_.canReadLine() || daemon_.waitForReadyRead(100); },
                        10000))
        address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
}

PrivateBus::~PrivateBus() {
    daemon_.kill();
    daemon_.waitForFinished();
}

QProcessEnvironment PrivateBus::environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
    return env;
}

qint64 PrivateBus::ownerPid(const QString& name) const {
    QDBusConnection bus =
        QDBusConnection::connectToBus(address_, QStringLiteral("twk-test ") + address_);
    return bus.interface()->servicePid(name).value(); // 0 when no one owns it
}

bool NotificationService::listen(const QString& busAddress) {
    QDBusConnection bus =
        QDBusConnection::connectToBus(busAddress, QStringLiteral("notifications ") + busAddress);
    return bus.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                              QDBusConnection::ExportAllSlots) &&
           bus.registerService(QStringLiteral("org.freedesktop.Notifications"));
}

QStringList NotificationService::GetCapabilities() {
    return {QStringLiteral("body"), QStringLiteral("body-markup")};
}

uint NotificationService::Notify(const QString&, uint, const QString&, const QString& summary,
                                 const QString& body, const QStringList&, const QVariantMap&, int) {
    received.append(summary + u'|' + body);
    return uint(received.size());
}

} // namespace twk::test

#include "tests/common/TestSandbox.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace twk::test {
namespace {

Sandbox& theSandbox() {
    static Sandbox box;
    return box;
}

} // namespace

QStringList Sandbox::receivedUrls() const {
    return readText(received).split(u'\n', Qt::SkipEmptyParts);
}

QStringList Sandbox::openedFolders() const {
    return readText(foldersOpened).split(u'\n', Qt::SkipEmptyParts);
}

QProcessEnvironment sandboxEnvironmentFor(const QString& dir, const QStringList& options) {
    QProcess script;
    script.start(QStringLiteral(TWK_SOURCE_DIR "/examples/demo-tarnwick/make-sandbox.sh"),
                 QStringList{dir} + options);
    if (!script.waitForFinished(30000) || script.exitCode() != 0)
        qFatal("make-sandbox.sh failed: %s", script.readAllStandardError().constData());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QStringList lines =
        QString::fromUtf8(script.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    for (const QString& line : lines) {
        // export NAME='value'
        const qsizetype eq = line.indexOf(u'=');
        env.insert(line.mid(7, eq - 7), line.mid(eq + 2, line.size() - eq - 3));
    }
    return env;
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

const Sandbox& setUpSandbox(const QStringList& options) {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/twk-test-XXXXXX"));
    if (!dir.isValid())
        qFatal("cannot make a temporary folder");
    const QProcessEnvironment env = sandboxEnvironmentFor(dir.path(), options);
    for (const QString& name : env.keys())
        qputenv(name.toLocal8Bit().constData(), env.value(name).toLocal8Bit());
    // No session bus unless a test starts its own.
    qunsetenv("DBUS_SESSION_BUS_ADDRESS");

    Sandbox& box = theSandbox();
    box.root = dir.path();
    box.home = qEnvironmentVariable("HOME");
    box.bundle = box.root + QStringLiteral("/Tarnwick.app");
    box.sourceScripts = box.bundle + QStringLiteral("/Contents/Resources/TWK_Scripts");
    box.userScripts =
        box.home +
        QStringLiteral("/Library/Application Scripts/org.tarnwick.Tarnwick.MenuExtension");
    box.received = box.root + QStringLiteral("/tarnwick-received.log");
    box.foldersOpened = box.root + QStringLiteral("/folders-opened.log");
    return box;
}

const Sandbox& sandbox() {
    return theSandbox();
}

QString builtProgram(const QString& name) {
    return QStringLiteral(TWK_BIN_DIR "/") + name;
}

QString readText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

void writeText(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(content);
}

} // namespace twk::test

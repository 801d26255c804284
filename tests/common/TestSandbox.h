#pragma once

// A private desktop for one test program: temporary HOME and XDG folders in which the demo
// Tarnwick handles twkrelaunch URLs. Made before QApplication and before the first GIO call,
// because GIO and QSettings read these folders once per process.

#include <QString>
#include <QStringList>
#include <QtTest>

namespace twk::test {

struct Sandbox {
    QString root; // the sandbox folder
    QString home;
    QString bundle;        // the demo Tarnwick.app
    QString sourceScripts; // its TWK_Scripts folder
    QString userScripts;   // ~/Library/Application Scripts/org.tarnwick.Tarnwick.MenuExtension
    QString received;      // what the demo Tarnwick was opened with, one URL per line
    QString foldersOpened; // what the demo file browser was opened with

    QStringList receivedUrls() const;
    QStringList openedFolders() const;
};

// Lays out the sandbox (make-sandbox.sh with the given options) and points this process at it.
const Sandbox& setUpSandbox(const QStringList& options = {});
const Sandbox& sandbox();

// Path of a program built by the project.
QString builtProgram(const QString& name);

// Lays out a further sandbox in dir and answers its environment, for child processes.
QProcessEnvironment sandboxEnvironmentFor(const QString& dir, const QStringList& options = {});

// The entry names of a folder, hidden ones included, sorted by name.
QStringList entries(const QString& folder);

// Reads a text file; empty when it is missing.
QString readText(const QString& path);
void writeText(const QString& path, const QByteArray& content);

} // namespace twk::test

// QTEST_MAIN with the sandbox laid out first.
#define TWK_TEST_MAIN_WITH_SANDBOX(TestObject, ...)                                                \
    int main(int argc, char** argv) {                                                              \
        twk::test::setUpSandbox(__VA_ARGS__);                                                      \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }

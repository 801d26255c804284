// The whole install-request road on a sandboxed folder tree: URLs built from the input go
// to the real controller, every sheet is answered from the input, and the run fails if any
// file outside the user scripts folder (and the Trash it keeps replaced copies in) changed.

#include "FuzzInput.h"
#include "installer/UIManager.h"
#include "platform/Sheet.h"
#include "support/alert/Alert.h"
#include "support/defaults/Shortcuts.h"
#include "support/log/SystemLog.h"
#include "support/strings/MessageAttributes.h"

#include <QApplication>
#include <QCheckBox>
#include <QDirIterator>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdlib>

using namespace twk;

namespace {

struct World {
    QString root;
    QString userScripts;
    QString config;
    QString trash;
    QMap<QString, QByteArray> outside; // every file outside the user scripts folder
    installer::UIManager* controller = nullptr;
    QWidget* window = nullptr;
};

World world;

QMap<QString, QByteArray> snapshotOutside() {
    QMap<QString, QByteArray> files;
    QDirIterator it(world.root,
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.startsWith(world.userScripts) || path.startsWith(world.config) ||
            path.startsWith(world.trash))
            continue;
        QFile file(path);
        files.insert(path, it.fileInfo().isFile() && file.open(QIODevice::ReadOnly)
                               ? file.readAll()
                               : it.fileInfo().symLinkTarget().toUtf8());
    }
    return files;
}

void setUp() {
    static QTemporaryDir dir;
    world.root = dir.path();
    QProcess make;
    make.start(QStringLiteral(TWK_SOURCE_DIR "/examples/demo-tarnwick/make-sandbox.sh"),
               {dir.path()});
    make.waitForFinished();
    for (const QString& line :
         QString::fromUtf8(make.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)) {
        const qsizetype eq = line.indexOf(u'=');
        qputenv(line.mid(7, eq - 7).toLatin1(), line.mid(eq + 2, line.size() - eq - 3).toUtf8());
    }
    // Tarnwick only needs to be found; opening it may do nothing.
    const QString entry = qEnvironmentVariable("XDG_DATA_HOME") +
                          QStringLiteral("/applications/org.tarnwick.Tarnwick.desktop");
    QFile desktop(entry);
    desktop.open(QIODevice::ReadOnly);
    QByteArray text = desktop.readAll();
    desktop.close();
    text.replace(text.indexOf("Exec="),
                 text.indexOf('\n', text.indexOf("Exec=")) - text.indexOf("Exec="), "Exec=true %u");
    desktop.open(QIODevice::WriteOnly | QIODevice::Truncate);
    desktop.write(text);
    desktop.close();

    world.userScripts =
        qEnvironmentVariable("HOME") +
        QStringLiteral("/Library/Application Scripts/org.tarnwick.Tarnwick.MenuExtension");
    world.config = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/org.tarnwick");
    world.trash = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Trash");
    qputenv("QT_QPA_PLATFORM", "offscreen");
    log::setLogSinkForTesting([](const QString&) {});

    static int argc = 1;
    static char name[] = "fuzz_install_request";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    world.controller = new installer::UIManager;
    world.window = new QWidget;
    world.controller->setMainWindow(world.window);
    world.window->show();
    world.outside = snapshotOutside();
}

// Answers every sheet from the input.
void answerSheets(FuzzInput& in) {
    platform::setSheetAnswererForTesting([&in](alert::Alert& sheet) {
        const uint8_t choice = in.byte();
        if (sheet.suppressionButton() && (choice & 0x80))
            sheet.suppressionButton()->setChecked(true);
        return int(choice % sheet.addedButtons().size());
    });
}

void waitUntilHandled() {
    while (world.controller->isBusy() || platform::waitingSheetCount() > 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!world.controller)
        setUp();
    FuzzInput in(data, size);
    const uint8_t mode = in.byte();
    defaults::setBool(mode & 0x10, QStringLiteral("QZ_DontAskToInstall"));
    const QString name = in.text(300);
    QString url;
    switch (mode % 4) {
    case 0:
        url = QStringLiteral("twkscriptinstall://x?script=") + name;
        break;
    case 1:
        url = QStringLiteral("twkscriptinstall://x?script=") +
              strings::fullyEscapedStringForUrl(name).value_or(QString());
        break;
    case 2:
        url = QStringLiteral("TwkScriptInstall://x?a=1&SCRIPT=") + name +
              QStringLiteral("&script=") + in.text(40);
        break;
    default:
        url = name;
        break;
    }
    answerSheets(in);
    world.controller->handleURL(platform::Url::urlWithString(url));
    waitUntilHandled();
    if (snapshotOutside() != world.outside)
        std::abort(); // a request touched something outside the user scripts folder
    return 0;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    return 0;
}

// The whole install-request road on a sandboxed folder tree: URLs built from the input go
// to the real controller, every sheet is answered from the input, and the run fails if any
// file outside the user scripts folder (and the Trash it keeps replaced copies in) changed.

#include "FuzzInput.h"
#include "installer/UIManager.h"
#include "platform/Sheet.h"
#include "support/defaults/Shortcuts.h"
#include "support/log/SystemLog.h"
#include "support/strings/MessageAttributes.h"
#include "tests/common/Testing.h"

#include <QApplication>
#include <QCheckBox>

#include <cstdlib>

using namespace twk;

namespace {

installer::UIManager* controller = nullptr;
QMap<QString, QByteArray> outside;

// Every file of the sandbox but the user scripts folder (and the merges saved beside it), the
// preferences, the Trash and the program's own state (the install record and its bases).
QMap<QString, QByteArray> snapshotOutside() {
    QMap<QString, QByteArray> files = test::tree(test::sandbox().root);
    files.removeIf([](const auto& entry) {
        return entry.key().startsWith(u"/home/Library/") ||
               entry.key().startsWith(u"/home/.config") ||
               entry.key().startsWith(u"/home/.local/share/Trash") ||
               entry.key().startsWith(u"/home/.local/state");
    });
    return files;
}

void setUp() {
    test::setUpSandbox();
    // Tarnwick only needs to be found; opening it may do nothing.
    const QString entry =
        qEnvironmentVariable("XDG_DATA_HOME") + "/applications/org.tarnwick.Tarnwick.desktop";
    QByteArray text = test::read(entry);
    const qsizetype exec = text.indexOf("Exec=");
    test::write(entry, text.replace(exec, text.indexOf('\n', exec) - exec, "Exec=true %u"));
    qputenv("QT_QPA_PLATFORM", "offscreen");
    log::setLogSinkForTesting([](const QString&) {});
    static int argc = 1;
    static char name[] = "fuzz_install_request";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    controller = new installer::UIManager;
    auto* window = new QWidget;
    controller->setMainWindow(window);
    window->show();
    outside = snapshotOutside();
}

QString urlFrom(FuzzInput& in, uint8_t mode) {
    const QString name = in.text(300);
    switch (mode % 4) {
    case 0:
        return QStringLiteral("twkscriptinstall://x?script=") + name;
    case 1:
        return QStringLiteral("twkscriptinstall://x?script=") +
               strings::fullyEscapedStringForUrl(name).value_or(QString());
    case 2:
        return QStringLiteral("TwkScriptInstall://x?a=1&SCRIPT=") + name +
               QStringLiteral("&script=") + in.text(40);
    default:
        return name;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!controller)
        setUp();
    FuzzInput in(data, size);
    const uint8_t mode = in.byte();
    defaults::setBool(mode & 0x10, QStringLiteral("QZ_DontAskToInstall"));
    // Every sheet is answered from the input: a button, and perhaps the box ticked.
    platform::setSheetAnswererForTesting([&in](alert::Alert& sheet) {
        const uint8_t choice = in.byte();
        if (sheet.suppressionButton() && (choice & 0x80))
            sheet.suppressionButton()->setChecked(true);
        return int(choice % sheet.addedButtons().size());
    });
    controller->handleURL(platform::Url::urlWithString(urlFrom(in, mode)));
    while (controller->isBusy() || platform::waitingSheetCount() > 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (snapshotOutside() != outside)
        std::abort(); // a request touched something outside the user scripts folder
    return 0;
}

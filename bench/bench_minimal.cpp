// Baselines: a minimal Qt Core program (start to exit); a minimal Qt Widgets program that
// shows one window and exits (or with widgets-rss stays idle and prints "RSS PSS" in KiB);
// the same window with one line of text (label, label-rss), which loads fonts as any window
// with text must;
// and one that shows a message box, writing the monotonic time in ms at which it is shown to
// $TWK_BENCH_SHEET_FILE.

#include "bench/ResidentMemory.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <cstring>
#include <memory>

int main(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "core";
    if (std::strcmp(mode, "core") == 0) {
        QCoreApplication app(argc, argv);
        return 0;
    }
    QApplication app(argc, argv);
    if (std::strcmp(mode, "message") == 0) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Install script 'Open Recent.sh' ?"),
                        QStringLiteral("Do you want to install this script?"),
                        QMessageBox::Ok | QMessageBox::Cancel);
        box.open();
        QTimer::singleShot(0, [] {
            QFile out(qEnvironmentVariable("TWK_BENCH_SHEET_FILE"));
            out.open(QIODevice::WriteOnly);
            out.write(QByteArray::number(monotonicMs(), 'f', 3));
            out.close();
            QCoreApplication::quit();
        });
        return app.exec();
    }
    const bool label = std::strncmp(mode, "label", 5) == 0;
    std::unique_ptr<QWidget> window(
        label ? new QLabel(QStringLiteral("Install the scripts that come with Tarnwick"))
              : new QWidget);
    window->resize(460, 260);
    window->show();
    const bool rss = std::strstr(mode, "-rss") != nullptr;
    QTimer::singleShot(rss ? 500 : 0, [rss] {
        if (rss)
            printResidentMemory();
        QCoreApplication::quit();
    });
    return app.exec();
}

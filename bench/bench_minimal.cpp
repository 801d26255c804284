// Baselines: a minimal Qt Core program (start to exit), and a minimal Qt Widgets program that
// shows one window and exits (or with widgets-rss stays idle and prints its memory in KiB).

#include "bench/ResidentMemory.h"

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const char* mode = argc > 1 ? argv[1] : "core";
    if (std::strcmp(mode, "core") == 0) {
        QCoreApplication app(argc, argv);
        return 0;
    }
    QApplication app(argc, argv);
    QWidget window;
    window.resize(460, 260);
    window.show();
    const bool rss = std::strcmp(mode, "widgets-rss") == 0;
    QTimer::singleShot(rss ? 500 : 0, [rss] {
        if (rss)
            printResidentMemory();
        QCoreApplication::quit();
    });
    return app.exec();
}

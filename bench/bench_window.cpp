// The installer's real start-up path: quits as soon as the main window is shown, or with
// --rss stays idle for a moment and prints its resident memory in KiB.

#include "app/Application.h"
#include "bench/ResidentMemory.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const bool rss = argc > 1 && std::strcmp(argv[1], "--rss") == 0;
    char* program[] = {argv[0], nullptr};
    twk::app::CommandLine line = twk::app::parseCommandLine(1, program);
    return twk::app::runWindowApplication(line, [rss](QWidget&) {
        if (!rss) {
            QCoreApplication::quit();
            return;
        }
        QTimer::singleShot(500, [] {
            printResidentMemory();
            QCoreApplication::quit();
        });
    });
}

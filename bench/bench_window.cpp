// The installer's real start-up path, measured from inside:
//   twk-bench-window           quits as soon as the main window is shown
//   twk-bench-window --filled  quits once the list has every state; prints "shown filled" in ms
//                              since the process started
//   twk-bench-window --change  once filled, changes one installed script and prints the ms
//                              until its row shows the new state
//   twk-bench-window --rss     stays idle a moment once filled, prints "RSS PSS" in KiB
//   twk-bench-window --sheet URL [--gapplication-service]
//                              handles URL; at its first sheet writes the monotonic time
//                              in ms to $TWK_BENCH_SHEET_FILE and quits

#include "app/Application.h"
#include "app/MainWindow.h"
#include "app/ScriptListModel.h"
#include "app/ScriptListPanel.h"
#include "bench/ResidentMemory.h"
#include "installer/ScriptFolders.h"
#include "platform/Sheet.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <vector>

using namespace twk;

namespace {

// Milliseconds since the launcher (twk-bench-run) started this process.
double sinceStart() {
    return monotonicMs() - qEnvironmentVariable("TWK_BENCH_START_MS").toDouble();
}

void whenFilled(QWidget& window, const std::function<void()>& then) {
    auto* model = static_cast<app::MainWindow&>(window).scriptList()->model();
    bool filled = model->rowCount() > 0;
    for (int row = 0; filled && row < model->rowCount(); ++row)
        filled = model->index(row, 0).data(app::ScriptListModel::StateKnownRole).toBool();
    if (filled)
        QTimer::singleShot(0, &window, then);
    else
        QObject::connect(model, &app::ScriptListModel::statesKnown, &window, then,
                         Qt::SingleShotConnection);
}

} // namespace

int main(int argc, char** argv) {
    const QByteArray mode = argc > 1 ? argv[1] : "";
    if (mode == "--sheet") {
        platform::setSheetAnswererForTesting([](alert::Alert&) {
            QFile out(qEnvironmentVariable("TWK_BENCH_SHEET_FILE"));
            out.open(QIODevice::WriteOnly);
            out.write(QByteArray::number(monotonicMs(), 'f', 3));
            out.close();
            QCoreApplication::quit();
            return -1;
        });
        std::vector<char*> arguments{argv[0]};
        for (int i = 2; i < argc; ++i)
            arguments.push_back(argv[i]);
        app::CommandLine line = app::parseCommandLine(int(arguments.size()), arguments.data());
        return app::runWindowApplication(line);
    }
    char* program[] = {argv[0], nullptr};
    app::CommandLine line = app::parseCommandLine(1, program);
    double shown = 0;
    return app::runWindowApplication(line, [&](QWidget& window) {
        shown = sinceStart();
        if (mode.isEmpty()) {
            QCoreApplication::quit();
        } else if (mode == "--filled") {
            whenFilled(window, [&] {
                std::printf("%.3f %.3f\n", shown, sinceStart());
                QCoreApplication::quit();
            });
        } else if (mode == "--change") {
            whenFilled(window, [&window] {
                auto* model = static_cast<app::MainWindow&>(window).scriptList()->model();
                const QByteArray name = model->nameAt(model->rowCount() / 2);
                auto timer = std::make_shared<QElapsedTimer>();
                QObject::connect(model, &QAbstractItemModel::dataChanged, &window, [timer] {
                    std::printf("%.3f\n", double(timer->nsecsElapsed()) / 1e6);
                    QCoreApplication::quit();
                });
                timer->start();
                // Installed or not, alternately: every run changes the state.
                const QString installed =
                    installer::userScriptsFolder() + u'/' + QString::fromUtf8(name);
                if (!QFile::remove(installed))
                    QFile::copy(*installer::sourceScriptsFolder() + u'/' + QString::fromUtf8(name),
                                installed);
            });
        } else {
            whenFilled(window, [] {
                QTimer::singleShot(500, [] {
                    printResidentMemory();
                    QCoreApplication::quit();
                });
            });
        }
    });
}

// Baselines: a minimal Qt Core program (start to exit); a minimal Qt Widgets program that
// shows one window and exits (or with widgets-rss stays idle and prints "RSS PSS" in KiB);
// the same window with one line of text (label, label-rss), which loads fonts as any window
// with text must; the installer's window with the same widgets and nothing behind them
// (designer, designer-rss): made from the same MainWindow.ui, with the list's title and an
// empty list under the same three column headings where the installer puts its list; no
// scripts, bus, files or preferences behind them;
// and one that shows a message box, writing the monotonic time in ms at which it is shown to
// $TWK_BENCH_SHEET_FILE (message: a short question; confirmation: the installer's own
// confirmation texts, buttons, "Do not ask again" and details, whose wrapped, selectable text
// Qt lays out at many widths).

#include "bench/ResidentMemory.h"
#include "ui_MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QStandardItemModel>
#include <QTimer>
#include <QTreeView>
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
    const bool confirmation = std::strcmp(mode, "confirmation") == 0;
    if (confirmation || std::strcmp(mode, "message") == 0) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Install script 'Open Recent.sh' ?"),
                        QStringLiteral("Do you want to install this script?"),
                        QMessageBox::Ok | QMessageBox::Cancel);
        if (confirmation) {
            box.setStandardButtons(QMessageBox::NoButton);
            box.setTextFormat(Qt::PlainText);
            box.setInformativeText(
                QStringLiteral("Do you want TWK Script Installer to install this script in the "
                               "User Scripts directory where Tarnwick can run it?"));
            box.setDefaultButton(
                box.addButton(QStringLiteral("Install Script"), QMessageBox::AcceptRole));
            box.setEscapeButton(box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole));
            box.setCheckBox(new QCheckBox(QStringLiteral("Do not ask again")));
            box.setDetailedText(QStringLiteral(
                "A file of 192 bytes.\nIt is not installed yet.\nIts first lines:\n#!/bin/sh\n"
                "# Sample Tarnwick script: lists the documents Tarnwick opened last.\n"
                "echo \"Recent documents:\""));
        }
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
    std::unique_ptr<QWidget> window;
    Ui::MainWindow ui;
    QStandardItemModel columns(0, 3);
    if (std::strncmp(mode, "designer", 8) == 0) {
        auto* main = new QMainWindow;
        window.reset(main);
        ui.setupUi(main);
        ui.installProgress->setVisible(false);
        auto* list = new QWidget(ui.centralWidget);
        auto* layout = new QVBoxLayout(list);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(new QLabel(QStringLiteral("Tarnwick's &scripts:"), list));
        auto* view = new QTreeView(list);
        columns.setHorizontalHeaderLabels(
            {QStringLiteral("Script"), QStringLiteral("State"), QStringLiteral("Actions")});
        view->setModel(&columns);
        view->setRootIsDecorated(false);
        view->setUniformRowHeights(true);
        layout->addWidget(view);
        ui.mainLayout->insertWidget(2, list, 1);
    } else if (std::strncmp(mode, "label", 5) == 0) {
        window.reset(new QLabel(QStringLiteral("Install the scripts that come with Tarnwick")));
        window->resize(460, 260);
    } else {
        window.reset(new QWidget);
        window->resize(460, 260);
    }
    window->show();
    const bool rss = std::strstr(mode, "-rss") != nullptr;
    QTimer::singleShot(rss ? 500 : 0, [rss] {
        if (rss)
            printResidentMemory();
        QCoreApplication::quit();
    });
    return app.exec();
}

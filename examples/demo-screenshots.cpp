// Renders the installer's window and its sheets to PNG files, with the offscreen platform:
//   twk-demo-screenshots OUTPUT_FOLDER
// Run inside the demo sandbox (see demo-tarnwick/make-sandbox.sh).

#include "app/MainWindow.h"
#include "installer/UIManager.h"
#include "support/alert/Alert.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

using namespace twk;

namespace {

void settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

alert::Alert* openSheet(QWidget& window) {
    settle();
    for (alert::Alert* sheet : window.findChildren<alert::Alert*>()) {
        if (sheet->isVisible())
            return sheet;
    }
    return nullptr;
}

// The window with the sheet drawn over its top edge, as the user sees it.
QString save(QWidget& window, alert::Alert* sheet, const QString& path) {
    QPixmap picture = window.grab();
    if (sheet) {
        const QPixmap overlay = sheet->grab();
        QPixmap combined(qMax(picture.width(), overlay.width()),
                         qMax(picture.height(), overlay.height() + 24));
        combined.fill(Qt::white);
        QPainter painter(&combined);
        painter.drawPixmap(0, 0, picture);
        painter.fillRect(QRect(0, 0, combined.width(), picture.height()), QColor(0, 0, 0, 60));
        painter.drawPixmap((combined.width() - overlay.width()) / 2, 24, overlay);
        painter.end();
        picture = combined;
    }
    picture.save(path);
    std::printf("Saved %s\n", qPrintable(path));
    return path;
}

void press(alert::Alert* sheet, int index) {
    if (sheet && index < sheet->addedButtons().size())
        sheet->addedButtons()[index]->click();
    settle();
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(out);

    installer::UIManager controller;
    app::MainWindow window;
    window.connectController(&controller);
    controller.setMainWindow(&window);
    window.show();
    settle();
    save(window, nullptr, out + QStringLiteral("/window.png"));

    window.findChild<QPushButton*>(QStringLiteral("installAllButton"))->click();
    alert::Alert* done = openSheet(window);
    save(window, done, out + QStringLiteral("/done-sheet.png"));
    press(done, 0);

    controller.handleURL(platform::Url::urlWithString(
        QStringLiteral("twkscriptinstall://x?script=Open%20Recent.sh")));
    alert::Alert* confirm = openSheet(window);
    save(window, confirm, out + QStringLiteral("/confirm-sheet.png"));
    press(confirm, 1);
    alert::Alert* declined = openSheet(window);
    save(window, declined, out + QStringLiteral("/error-sheet.png"));
    press(declined, 0);

    if (auto* remove = window.findChild<QPushButton*>(QStringLiteral("remove:Word Count.txt"))) {
        remove->click();
        alert::Alert* asking = openSheet(window);
        save(window, asking, out + QStringLiteral("/remove-sheet.png"));
        press(asking, 1);
    }
    return 0;
}

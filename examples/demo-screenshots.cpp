// Renders the installer's window and its sheets to PNG files, with the offscreen platform:
//   twk-demo-screenshots OUTPUT_FOLDER
// Run inside the demo sandbox (see demo-tarnwick/make-sandbox.sh).

#include "app/MainWindow.h"
#include "installer/UIManager.h"
#include "platform/Sheet.h"
#include "support/alert/Alert.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

using namespace twk;

namespace {

// The window with the sheet drawn over its top edge, as the user sees it.
void save(QWidget& window, QWidget* sheet, const QString& path) {
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
}

// Runs the event loop until the controller has nothing left to do.
void settle(installer::UIManager& controller) {
    QEventLoop loop;
    QObject::connect(&controller, &installer::UIManager::idle, &loop, &QEventLoop::quit);
    QTimer::singleShot(200, &loop, [&] {
        if (!controller.isBusy())
            loop.quit();
    });
    loop.exec();
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
    settle(controller);
    save(window, nullptr, out + QStringLiteral("/window.png"));

    // Each sheet is pictured, then answered with the button given for it.
    QStringList names;
    QList<int> answers;
    platform::setSheetAnswererForTesting([&](alert::Alert& sheet) {
        const QString name = names.isEmpty() ? QStringLiteral("sheet") : names.takeFirst();
        if (!sheet.detailedText().isEmpty() && name == u"confirm-sheet") {
            for (QAbstractButton* button : sheet.buttons()) {
                if (sheet.buttonRole(button) == QMessageBox::ActionRole)
                    button->click(); // "Show Details…"
            }
        }
        save(window, &sheet, out + u'/' + name + QStringLiteral(".png"));
        return answers.isEmpty() ? 0 : answers.takeFirst();
    });
    names << QStringLiteral("done-sheet");
    answers << 0;
    controller.installAllScripts();
    settle(controller);

    names << QStringLiteral("confirm-sheet") << QStringLiteral("error-sheet");
    answers << 1 << 0;
    controller.handleURL(platform::Url::urlWithString(
        QStringLiteral("twkscriptinstall://x?script=Open%20Recent.sh")));
    settle(controller);

    names << QStringLiteral("remove-sheet");
    answers << 1;
    controller.removeScriptNamed("Word Count.txt");
    settle(controller);
    return 0;
}

#include "platform/Sheet.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QPushButton>
#include <QTextEdit>
#include <QWidget>

#include <deque>

namespace twk::platform {
namespace {

struct PendingSheet {
    std::unique_ptr<alert::Alert> alert;
    QPointer<QWidget> window;
    bool hasWindow;
    SheetCompletion completion;
};

struct SheetQueue {
    QPointer<alert::Alert> showing;
    std::deque<PendingSheet> waiting;
    SheetAnswerer answerer;
};

SheetQueue& queue() {
    static SheetQueue sheets;
    return sheets;
}

void showNext();

// The toolkit's "Show Details…" text takes no focus, has no name and appears unannounced:
// it is named, in the Tab order, and takes the keyboard as it appears, so a screen reader
// reads it where the eye finds it.
class DetailsText : public QObject {
    Q_DECLARE_TR_FUNCTIONS(Sheet)
public:
    explicit DetailsText(QTextEdit* text) : QObject(text) {
        text->setFocusPolicy(Qt::StrongFocus);
        text->setAccessibleName(tr("Details"));
        text->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            static_cast<QWidget*>(watched)->setFocus(Qt::OtherFocusReason);
        return QObject::eventFilter(watched, event);
    }
};

void present(PendingSheet pending) {
    alert::Alert* sheet = pending.alert.release();
    if (auto* details = sheet->findChild<QTextEdit*>())
        new DetailsText(details);
    QWidget* window = pending.window;
    if (window) {
        if (!window->isVisible() || window->isMinimized())
            window->showNormal();
        window->raise();
        sheet->setParent(window, sheet->windowFlags() | Qt::Sheet);
    }
    queue().showing = sheet;
    QObject::connect(
        sheet, &QDialog::finished, sheet,
        [sheet, completion = std::move(pending.completion)](int) {
            // Let go of the sheet (done() hid it already) first: the handler may ask for the
            // next one at once.
            queue().showing = nullptr;
            if (completion)
                completion(*sheet, sheet->returnCode());
            sheet->deleteLater();
            showNext();
        },
        Qt::SingleShotConnection);
    if (window) {
        sheet->open(); // window-modal
    } else {
        // Window-modal with no window would block nothing: without one, it blocks them all.
        sheet->setWindowModality(Qt::ApplicationModal);
        sheet->show();
    }
    if (queue().answerer) {
        QMetaObject::invokeMethod(
            sheet,
            [sheet] {
                const int index = queue().answerer(*sheet);
                if (index >= 0 && index < sheet->addedButtons().size())
                    sheet->addedButtons()[index]->click();
            },
            Qt::QueuedConnection);
    }
}

void showNext() {
    SheetQueue& sheets = queue();
    while (!sheets.showing && !sheets.waiting.empty()) {
        PendingSheet next = std::move(sheets.waiting.front());
        sheets.waiting.pop_front();
        if (next.hasWindow && !next.window)
            continue; // its window is gone, and with it whoever waited for the answer
        present(std::move(next));
    }
}

} // namespace

void beginSheetModalForWindow(std::unique_ptr<alert::Alert> alert, QWidget* window,
                              SheetCompletion completion) {
    queue().waiting.push_back({std::move(alert), window, window != nullptr, std::move(completion)});
    showNext();
}

int waitingSheetCount() {
    return int(queue().waiting.size());
}

void setSheetAnswererForTesting(SheetAnswerer answerer) {
    queue().answerer = std::move(answerer);
}

} // namespace twk::platform

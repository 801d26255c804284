#include "platform/Sheet.h"

#include <QWidget>

namespace twk::platform {

void beginSheetModalForWindow(std::unique_ptr<alert::Alert> alert, QWidget* window,
                              SheetCompletion completion) {
    alert::Alert* sheet = alert.release();
    if (window) {
        if (!window->isVisible() || window->isMinimized())
            window->showNormal();
        window->raise();
        sheet->setParent(window, sheet->windowFlags() | Qt::Sheet);
    }
    sheet->setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    QObject::connect(
        sheet, &QDialog::finished, sheet,
        [sheet, completion = std::move(completion)](int) {
            // Let go of the sheet first: the handler may show the next one at once.
            sheet->hide();
            if (completion)
                completion(*sheet, sheet->returnCode());
            sheet->deleteLater();
        },
        Qt::SingleShotConnection);
    sheet->open();
}

} // namespace twk::platform

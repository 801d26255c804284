#include "installer/Road.h"

namespace twk::installer {

void Road::start(const Outlets& outlets) {
    outlets_ = outlets;
    run();
}

bool Road::windowShown() const {
    return outlets_.window && outlets_.window->isVisible() && !outlets_.window->isMinimized();
}

void Road::showSheet(std::unique_ptr<alert::Alert> alert, platform::SheetCompletion completion) {
    platform::beginSheetModalForWindow(std::move(alert), outlets_.window, std::move(completion));
}

void Road::showSheetThenFinish(std::unique_ptr<alert::Alert> alert) {
    showSheet(std::move(alert), [this](alert::Alert&, int) { finish(); });
}

} // namespace twk::installer

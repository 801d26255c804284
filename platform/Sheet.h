#pragma once

// Sheets: an alert shown window-modal on a window, returning at once. The completion
// handler runs later on the main thread with the alert and its return code, and owns what
// it captured until then; the alert is deleted after the handler has run.

#include "support/alert/Alert.h"

#include <functional>
#include <memory>

class QWidget;

namespace twk::platform {

using SheetCompletion = std::function<void(alert::Alert& alert, int returnCode)>;

// A window that is hidden is shown and raised first, so a sheet is never invisible.
void beginSheetModalForWindow(std::unique_ptr<alert::Alert> alert, QWidget* window,
                              SheetCompletion completion = {});

} // namespace twk::platform

#pragma once

// Sheets: an alert shown window-modal on a window, returning at once. The completion
// handler runs later on the main thread with the alert and its return code, and owns what
// it captured until then; the alert is deleted after the handler has run. One sheet shows
// at a time: a sheet asked for while another is showing waits its turn, in order.

#include "support/alert/Alert.h"

#include <functional>
#include <memory>

class QWidget;

namespace twk::platform {

using SheetCompletion = std::function<void(alert::Alert& alert, int returnCode)>;

// A window that is hidden is shown and raised first, so a sheet is never invisible.
void beginSheetModalForWindow(std::unique_ptr<alert::Alert> alert, QWidget* window,
                              SheetCompletion completion = {});

// How many sheets wait behind the one showing.
int waitingSheetCount();

// Tests answer sheets through this: it is called once a sheet is on screen, may look at it
// and tick its checkbox, and answers the index of the button to press (-1: leave it open).
using SheetAnswerer = std::function<int(alert::Alert& sheet)>;
void setSheetAnswererForTesting(SheetAnswerer answerer);

} // namespace twk::platform

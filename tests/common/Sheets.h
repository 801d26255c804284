#pragma once

// The sheets a test sees, as they were drawn, and its answers to them.

#include "platform/Sheet.h"

#include <QMessageBox>
#include <QStringList>
#include <QtTest>

namespace twk::test {

// A sheet as it was drawn: its labels' texts and formats, buttons, icon.
struct Sheet {
    QString text, informative, details;
    Qt::TextFormat format = Qt::AutoText, informativeFormat = Qt::AutoText;
    QStringList buttons;
    QString defaultButton;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool checkbox = false;
    bool windowModal = false;      // on its window, which is shown
    bool applicationModal = false; // no window to sit on
};

// Answers the sheets the program shows, in order, as given (a button's place, or the Escape
// key); records each one. A sheet with no answer left stays open.
class SheetAnswers {
public:
    static constexpr int EscapeKey = 9;
    SheetAnswers();
    ~SheetAnswers();
    SheetAnswers& then(int button, bool tick = false);
    QList<Sheet> seen;

private:
    QList<std::pair<int, bool>> answers_;
};

// Lets the event loop run until the controller has nothing left to do or to show.
#define TWK_WAIT_UNTIL_IDLE(controller)                                                            \
    QTRY_VERIFY_WITH_TIMEOUT(!(controller).isBusy() && platform::waitingSheetCount() == 0, 20000)

} // namespace twk::test

#pragma once

// Finding and answering the sheets the installer opens on its window.

#include "support/alert/Alert.h"

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

namespace twk::test {

// The sheet open on the window, waiting up to a few seconds for it; null when none opened.
inline alert::Alert* waitForSheet(QWidget* window, int timeoutMs = 5000) {
    alert::Alert* found = nullptr;
    (void)QTest::qWaitFor(
        [&] {
            for (alert::Alert* sheet : window->findChildren<alert::Alert*>()) {
                if (sheet->isVisible()) {
                    found = sheet;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

inline QStringList buttonTitles(const alert::Alert* sheet) {
    QStringList titles;
    for (const QPushButton* button : sheet->addedButtons())
        titles.append(button->text());
    return titles;
}

// Presses the button with that title, as the user would, and lets the sheet go away.
inline void press(alert::Alert* sheet, const QString& title) {
    QVERIFY2(sheet, "no sheet to answer");
    for (QPushButton* button : sheet->addedButtons()) {
        if (button->text() == title) {
            QTest::mouseClick(button, Qt::LeftButton);
            QTRY_VERIFY(!sheet || !sheet->isVisible());
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no button titled ") + title));
}

} // namespace twk::test

#pragma once

// The installer's real window and controller, wired as the application wires them.

#include "app/MainWindow.h"
#include "installer/UIManager.h"

#include <QtTest>

namespace twk::test {

inline void showInstallerWindow(app::MainWindow& window, installer::UIManager& controller) {
    window.connectController(&controller);
    controller.setMainWindow(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

} // namespace twk::test

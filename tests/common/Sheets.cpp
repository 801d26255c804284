#include "tests/common/Sheets.h"

#include "platform/Sheet.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace twk::test {

SheetAnswers::SheetAnswers() {
    platform::setSheetAnswererForTesting([this](alert::Alert& alert) {
        Sheet sheet;
        const auto* message = alert.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        const auto* informative =
            alert.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
        sheet.text = message ? message->text() : QString();
        sheet.format = message ? message->textFormat() : Qt::AutoText;
        sheet.informative = informative ? informative->text() : QString();
        sheet.informativeFormat = informative ? informative->textFormat() : Qt::AutoText;
        sheet.details = alert.detailedText();
        for (const QPushButton* button : alert.addedButtons())
            sheet.buttons.append(button->text());
        sheet.defaultButton = alert.defaultButton() ? alert.defaultButton()->text() : QString();
        sheet.icon = alert.icon();
        sheet.checkbox = alert.suppressionButton() != nullptr;
        sheet.windowModal =
            alert.windowModality() == Qt::WindowModal && alert.parentWidget() && alert.isVisible();
        sheet.applicationModal = alert.windowModality() == Qt::ApplicationModal;
        seen.append(sheet);
        if (answers_.isEmpty())
            return -1;
        const auto [button, tick] = answers_.takeFirst();
        if (tick && alert.suppressionButton())
            alert.suppressionButton()->setChecked(true);
        if (button == EscapeKey)
            QTest::keyClick(&alert, Qt::Key_Escape);
        return button;
    });
}

SheetAnswers::~SheetAnswers() {
    platform::setSheetAnswererForTesting({});
}

SheetAnswers& SheetAnswers::then(int button, bool tick) {
    answers_.append({button, tick});
    return *this;
}

} // namespace twk::test

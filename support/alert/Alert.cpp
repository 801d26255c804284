#include "support/alert/Alert.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace twk::alert {

Alert::Alert(QWidget* parent) : QMessageBox(parent) {
    setIcon(QMessageBox::Warning);
    setTextFormat(Qt::PlainText);
}

void Alert::setInformativeText(const QString& text) {
    QMessageBox::setInformativeText(text);
    if (auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
        label->setTextFormat(Qt::PlainText);
        label->setOpenExternalLinks(false);
    }
}

QPushButton* Alert::addButtonWithTitle(const QString& title) {
    const ButtonRole role = added_.isEmpty()     ? QMessageBox::AcceptRole
                            : added_.size() == 1 ? QMessageBox::RejectRole
                                                 : QMessageBox::ActionRole;
    QPushButton* button = addButton(title, role);
    if (added_.isEmpty())
        setDefaultButton(button);
    if (added_.size() == 1)
        setEscapeButton(button);
    added_.append(button);
    return button;
}

void Alert::setAlertStyle(int style) {
    style_ = style;
    switch (style) {
    case CriticalAlertStyle:
        // Drawn as a caution sign, as the style was meant: not the error sign.
        setIcon(QMessageBox::Warning);
        break;
    case InformationalAlertStyle:
        setIcon(QMessageBox::Information);
        break;
    default:
        setIcon(QMessageBox::Warning);
        break;
    }
}

void Alert::setShowsSuppressionButton(bool shows) {
    if (shows && !checkBox())
        setCheckBox(new QCheckBox(tr("Do not ask again"), this));
    else if (!shows && checkBox())
        setCheckBox(nullptr);
}

bool Alert::showsSuppressionButton() const {
    return checkBox() != nullptr;
}

QCheckBox* Alert::suppressionButton() const {
    return checkBox();
}

int Alert::returnCode() const {
    QAbstractButton* clicked = clickedButton();
    // An alert given no buttons shows the toolkit's own OK, which answers as a first button.
    if (added_.isEmpty() && clicked)
        return FirstButtonReturn;
    const qsizetype index = added_.indexOf(qobject_cast<QPushButton*>(clicked));
    return index < 0 ? AlertStoppedReturn : FirstButtonReturn + int(index);
}

} // namespace twk::alert

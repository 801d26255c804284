#pragma once

// The alert every dialog of the program is made of: a message box that knows the order its
// buttons were added in, answers 1000 for the first, 1001 for the second, 1002 for a third,
// and can carry a "do not ask again" checkbox. Its texts are always drawn as plain text:
// they may hold names that came from other programs.

#include <QMessageBox>

class QCheckBox;
class QPushButton;

namespace twk::alert {

enum AlertStyle : int {
    WarningAlertStyle = 0,
    InformationalAlertStyle = 1,
    CriticalAlertStyle = 2
};

inline constexpr int FirstButtonReturn = 1000;
// The answer when the alert ended without any of its buttons (closed by other means).
inline constexpr int AlertStoppedReturn = -1000;

class Alert : public QMessageBox {
    Q_OBJECT
public:
    explicit Alert(QWidget* parent = nullptr);

    void setMessageText(const QString& text) { setText(text); }
    QString messageText() const { return text(); }
    // Set as plain text, never as markup or links (QMessageBox's own is automatic).
    void setInformativeText(const QString& text);

    // Appends a button. The first is the default (Return); the second also answers Escape.
    QPushButton* addButtonWithTitle(const QString& title);
    const QList<QPushButton*>& addedButtons() const { return added_; }

    void setAlertStyle(int style);
    int alertStyle() const { return style_; }

    // Shows or hides the suppression checkbox, titled with the toolkit's usual wording.
    void setShowsSuppressionButton(bool shows);
    bool showsSuppressionButton() const;
    QCheckBox* suppressionButton() const;

    // 1000 + the index of the pressed button, or AlertStoppedReturn.
    int returnCode() const;

private:
    QList<QPushButton*> added_;
    int style_ = WarningAlertStyle;
};

} // namespace twk::alert

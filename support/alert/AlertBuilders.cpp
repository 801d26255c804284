#include "support/alert/AlertBuilders.h"

#include <QApplication>

namespace twk::alert {

std::unique_ptr<Alert> qzAlertWithMessageTextArgs(const QString& messageText,
                                                  const std::optional<QString>& defaultButton,
                                                  const std::optional<QString>& alternateButton,
                                                  const std::optional<QString>& otherButton,
                                                  const std::optional<QString>& informativeFormat,
                                                  std::span<const strings::FormatArg> arguments) {
    auto alert = std::make_unique<Alert>();
    alert->setMessageText(messageText);
    if (defaultButton)
        alert->addButtonWithTitle(*defaultButton);
    if (alternateButton)
        alert->addButtonWithTitle(*alternateButton);
    if (otherButton)
        alert->addButtonWithTitle(*otherButton);
    if (informativeFormat) {
        alert->setInformativeText(
            arguments.empty() ? *informativeFormat
                              : strings::formatWithArguments(*informativeFormat, arguments));
    }
    return alert;
}

QPointer<Alert> showMessage(const QString& message, const QString& informativeText,
                            QObject* delegate, const char* selector) {
    auto* alert = new Alert();
    alert->setAttribute(Qt::WA_DeleteOnClose, false);
    alert->setMessageText(message);
    alert->setInformativeText(informativeText);
    alert->setWindowModality(Qt::NonModal);
    const QPointer<QObject> target(delegate);
    const QByteArray member(selector ? selector : "");
    QObject::connect(
        alert, &QDialog::finished, alert,
        [alert, target, member](int) {
            if (target && !member.isEmpty()) {
                QMetaObject::invokeMethod(target, member.constData(), Qt::DirectConnection,
                                          Q_ARG(twk::alert::Alert*, alert),
                                          Q_ARG(int, alert->returnCode()), Q_ARG(void*, nullptr));
            }
            alert->deleteLater();
        },
        Qt::SingleShotConnection);
    alert->show();
    alert->raise();
    alert->activateWindow();
    return alert;
}

} // namespace twk::alert

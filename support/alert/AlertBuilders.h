#pragma once

// The two ways the helper library makes alerts.

#include "support/alert/Alert.h"
#include "support/strings/Formatter.h"

#include <QPointer>

#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace twk::alert {

// Builds (does not style or show) an alert: the message text; the default button, then
// the alternate, then the other button, each only when given (the first added answers
// 1000); and the informative text. With no arguments the informative format is shown
// character for character, percent signs and all; with arguments its conversions take
// them in order. An absent format leaves the informative text unset.
std::unique_ptr<Alert> qzAlertWithMessageTextArgs(const QString& messageText,
                                                  const std::optional<QString>& defaultButton,
                                                  const std::optional<QString>& alternateButton,
                                                  const std::optional<QString>& otherButton,
                                                  const std::optional<QString>& informativeFormat,
                                                  std::span<const strings::FormatArg> arguments);

template <typename... Args>
std::unique_ptr<Alert>
qzAlertWithMessageText(const QString& messageText, const std::optional<QString>& defaultButton,
                       const std::optional<QString>& alternateButton,
                       const std::optional<QString>& otherButton,
                       const std::optional<QString>& informativeFormat, Args&&... arguments) {
    const std::vector<strings::FormatArg> list{
        strings::toFormatArg(std::forward<Args>(arguments))...};
    return qzAlertWithMessageTextArgs(messageText, defaultButton, alternateButton, otherButton,
                                      informativeFormat, list);
}

// Puts an alert with the two texts (used as they are) on screen at once, with no parent
// window, in front and focused. When the user dismisses it, the delegate's member named by
// selector is called once with (twk::alert::Alert* alert, int returnCode, void* context),
// context being null; the alert is deleted afterwards. No button or style is set here.
QPointer<Alert> showMessage(const QString& message, const QString& informativeText,
                            QObject* delegate, const char* selector);

} // namespace twk::alert

#include "installer/Sheets.h"

#include "installer/Messages.h"

namespace twk::installer {

std::unique_ptr<alert::Alert> installerAlert(const QString& message, const QString& first,
                                             const std::optional<QString>& second,
                                             const QString& informative) {
    // The informative text is finished: given with no arguments, the builder shows it as it
    // stands, percent signs and all.
    auto alert = alert::qzAlertWithMessageText(message, first, second, std::nullopt, informative);
    alert->setAlertStyle(alert::CriticalAlertStyle);
    return alert;
}

std::unique_ptr<alert::Alert> noticeAlert(const QString& message, const QString& informative) {
    return installerAlert(message, Messages::ok(), std::nullopt, informative);
}

} // namespace twk::installer

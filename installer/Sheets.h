#pragma once

// The alerts of the installer: built by the helper library's builder and given the style
// every alert of the installer has (critical, drawn with the caution sign).

#include "support/alert/AlertBuilders.h"

#include <memory>
#include <optional>

namespace twk::installer {

// Message, first button, optional second button, informative text shown as it stands.
std::unique_ptr<alert::Alert> installerAlert(const QString& message, const QString& first,
                                             const std::optional<QString>& second,
                                             const QString& informative);

// The question asked before edited copies would be replaced: "Keep My Edits" (answering
// FirstButtonReturn, also on Return and Escape) and "Replace Them".
std::unique_ptr<alert::Alert> editQuestionAlert(const QList<QByteArray>& edited);
inline constexpr int ReplaceEditsReturn = alert::FirstButtonReturn + 1;

// One "OK" button.
std::unique_ptr<alert::Alert> noticeAlert(const QString& message, const QString& informative);

} // namespace twk::installer

#pragma once

// The alerts of the installer: built by the helper library's builder and given the style
// every alert of the installer has (critical, drawn with the caution sign).

#include "installer/files/ScriptMerge.h"
#include "support/alert/AlertBuilders.h"

#include <memory>
#include <optional>

namespace twk::installer {

// Message, first button, optional second button, informative text shown as it stands.
std::unique_ptr<alert::Alert> installerAlert(const QString& message, const QString& first,
                                             const std::optional<QString>& second,
                                             const QString& informative);

// What a merge offers where the edits question is asked: a third button, "Merge" for a clean
// merge or "Save Merge with Conflicts" for one with conflicts (never one that installs them),
// its words added to the question, and every conflict behind "Show Details…".
struct MergeOffer {
    enum class Button { None, Merge, SaveWithConflicts };
    Button button = Button::None;
    QString text = {};
    QString details = {};
};

// The question asked before edited copies would be replaced: "Keep My Edits" (answering
// FirstButtonReturn, also on Return and Escape), "Replace Them", and what a merge offers.
std::unique_ptr<alert::Alert> editQuestionAlert(const QList<QByteArray>& edited,
                                                const MergeOffer& merge = {});
inline constexpr int ReplaceEditsReturn = alert::FirstButtonReturn + 1;
inline constexpr int MergeReturn = alert::FirstButtonReturn + 2;

// Adds the merge's button, text and details to an alert.
void offerMerge(alert::Alert& alert, const MergeOffer& merge);
// What the planned merge of one script offers (nothing when none was planned).
MergeOffer mergeOfferFor(const std::optional<files::ScriptMerge>& merge,
                         const QString& userScriptsFolder);

// One "OK" button.
std::unique_ptr<alert::Alert> noticeAlert(const QString& message, const QString& informative);

} // namespace twk::installer

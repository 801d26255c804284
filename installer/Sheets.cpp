#include "installer/Sheets.h"

#include "installer/Messages.h"

#include <QPushButton>

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

void offerMerge(alert::Alert& alert, const MergeOffer& merge) {
    if (!merge.text.isEmpty())
        alert.setInformativeText(alert.informativeText() + QStringLiteral("\n\n") + merge.text);
    if (!merge.details.isEmpty())
        alert.setDetailedText(merge.details);
    if (merge.button != MergeOffer::Button::None)
        alert.addButtonWithTitle(merge.button == MergeOffer::Button::Merge
                                     ? Messages::mergeButton()
                                     : Messages::saveMergeButton());
}

MergeOffer mergeOfferFor(const std::optional<files::ScriptMerge>& merge,
                         const QString& userScriptsFolder) {
    using Verdict = files::ScriptMerge::Verdict;
    if (!merge)
        return {};
    MergeOffer offer{MergeOffer::Button::None,
                     Messages::mergeOffer(*merge, files::mergesFolder(userScriptsFolder))};
    if (merge->verdict == Verdict::Clean)
        offer.button = MergeOffer::Button::Merge;
    if (merge->verdict == Verdict::Conflicts) {
        offer.button = MergeOffer::Button::SaveWithConflicts;
        offer.details = Messages::conflictDetails(*merge);
    }
    return offer;
}

std::unique_ptr<alert::Alert> editQuestionAlert(const QList<QByteArray>& edited,
                                                const MergeOffer& merge) {
    auto alert = installerAlert(Messages::tr("Keep your edits?"), Messages::tr("Keep My Edits"),
                                Messages::tr("Replace Them"), Messages::editQuestion(edited));
    offerMerge(*alert, merge);
    // Neither Return nor Escape discards the user's work.
    alert->setDefaultButton(alert->addedButtons().at(0));
    alert->setEscapeButton(static_cast<QAbstractButton*>(alert->addedButtons().at(0)));
    return alert;
}

std::unique_ptr<alert::Alert> noticeAlert(const QString& message, const QString& informative) {
    return installerAlert(message, Messages::ok(), std::nullopt, informative);
}

} // namespace twk::installer

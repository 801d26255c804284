#include "installer/Messages.h"

#include "support/text/Conversions.h"
#include "support/text/DisplayText.h"

#include <QLocale>

#include <algorithm>
#include <vector>

namespace twk::installer {

using files::ItemKind;
using files::ScriptOutcome;
using files::ScriptState;
using files::SourceState;

namespace {

// The scripts a bulk install has something to say about, in the order the window lists them.
QList<const ScriptOutcome*> worthMentioning(const files::BulkInstallReport& report) {
    std::vector<std::pair<QString, const ScriptOutcome*>> keyed; // shown names, made once
    for (const ScriptOutcome& script : report.scripts) {
        if (!script.installed() || !script.trashedName.isEmpty())
            keyed.emplace_back(text::fromNativeBytes(script.name), &script);
    }
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return files::comesBefore(a.first, a.second->name, b.first, b.second->name);
    });
    QList<const ScriptOutcome*> picked;
    for (const auto& [shownName, script] : keyed)
        picked.append(script);
    return picked;
}

} // namespace

QString Messages::ok() {
    return tr("OK");
}

QString Messages::shownName(const QByteArray& name) {
    return text::visibleText(text::fromNativeBytes(name));
}

QString Messages::shownText(const QString& text) {
    return text::visibleText(text);
}

QString Messages::whyNothingCanBeInstalled(SourceState source, const posix::Status& userFolder,
                                           const QString& userFolderPath) {
    switch (source) {
    case SourceState::TarnwickNotFound:
        return tr("Tarnwick was not found: no application handles twkrelaunch URLs. Install "
                  "Tarnwick, then try again.");
    case SourceState::Unreadable:
        return tr("Tarnwick's scripts folder could not be read.");
    case SourceState::Listed:
        break;
    }
    if (userFolder.ok())
        return {};
    if (userFolder.error() == ENOENT)
        return tr("The User Scripts directory %1 does not exist yet: open Tarnwick once to "
                  "create it.")
            .arg(shownText(userFolderPath));
    return tr("The User Scripts directory %1 cannot be opened: %2")
        .arg(shownText(userFolderPath), userFolder.reason());
}

QString Messages::stateName(ScriptState state) {
    switch (state) {
    case ScriptState::Installed:
        return QStringLiteral("installed");
    case ScriptState::Different:
        return QStringLiteral("different");
    case ScriptState::NotInstalled:
        break;
    }
    return QStringLiteral("not installed");
}

QString Messages::stateText(ScriptState state) {
    switch (state) {
    case ScriptState::Installed:
        return tr("Installed");
    case ScriptState::Different:
        return tr("Installed, differs from Tarnwick's copy");
    case ScriptState::NotInstalled:
        break;
    }
    return tr("Not installed");
}

QString Messages::trashedNote(const QString& name, const QByteArray& trashedName) {
    return tr("The copy of '%1' that was installed differed from Tarnwick's; it is in the Trash "
              "as '%2'.")
        .arg(shownText(name), shownName(trashedName));
}

namespace {

QString kindText(const files::ItemMeasure& measure) {
    switch (measure.kind) {
    case ItemKind::File:
        return Messages::tr("A file of %1.").arg(QLocale().formattedDataSize(measure.bytes));
    case ItemKind::Folder:
        if (measure.files == 1)
            return Messages::tr("A folder of one file, %1.")
                .arg(QLocale().formattedDataSize(measure.bytes));
        return Messages::tr("A folder of %1 files, %2 in all.")
            .arg(QLocale().toString(measure.files), QLocale().formattedDataSize(measure.bytes));
    case ItemKind::Link:
        return Messages::tr("A link to \"%1\".")
            .arg(Messages::shownName(QByteArray::fromStdString(measure.linkTarget)));
    case ItemKind::Other:
    case ItemKind::Missing:
        break;
    }
    return Messages::tr("An item that is neither a file, a folder nor a link.");
}

} // namespace

QString Messages::details(const files::ScriptDetails& details) {
    QStringList parts{kindText(details.measure)};
    parts.append(!details.installed ? tr("It is not installed yet.")
                 : details.differs
                     ? tr("An installed copy differs from it; that copy will be moved to the "
                          "Trash.")
                     : tr("The same script is installed already."));
    if (!details.firstLines.isEmpty())
        parts.append(tr("Its first lines:") + u'\n' + details.firstLines);
    return parts.join(u'\n');
}

QString Messages::bulkFailureSummary(const files::BulkInstallReport& report,
                                     const QString& userFolderPath) {
    const QString whole =
        whyNothingCanBeInstalled(report.source, report.destination, userFolderPath);
    if (!whole.isEmpty())
        return whole;
    QStringList failed;
    for (const ScriptOutcome* script : worthMentioning(report)) {
        if (!script->installed())
            failed.append(shownName(script->name));
    }
    constexpr qsizetype listed = 10;
    QString names = QStringList(failed.mid(0, listed)).join(QStringLiteral(", "));
    if (failed.size() > listed)
        names += tr(" and %1 more").arg(failed.size() - listed);
    return tr("%1 of %2 scripts could not be installed: %3. See the system log for details.")
        .arg(failed.size())
        .arg(report.scripts.size())
        .arg(names);
}

QString Messages::bulkFailureDetails(const files::BulkInstallReport& report) {
    if (!report.destination.ok())
        return {}; // one reason for all, said in the summary
    QStringList details;
    for (const ScriptOutcome* script : worthMentioning(report)) {
        if (!script->installed())
            details.append(shownName(script->name) + QStringLiteral(": ") +
                           script->status.description());
        else
            details.append(trashedNote(text::fromNativeBytes(script->name), script->trashedName));
    }
    return details.join(u'\n');
}

QString Messages::choiceNotSavedTitle() {
    return tr("Your choice could not be saved");
}

} // namespace twk::installer

#include "installer/ScriptInstall.h"

#include "installer/StagedCopy.h"
#include "support/log/SystemLog.h"
#include "support/strings/Formatter.h"
#include "support/strings/Pieces.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <dirent.h>

namespace twk::installer {
namespace {

void logError(const InstallError& error) {
    const QStringView format = error.step == InstallError::Copying
                                   ? QStringView(u"error copying script: %@")
                                   : QStringView(u"error deleting: %@");
    log::systemLog(strings::format(format, error.description));
}

void logCleanup(const std::optional<QString>& cleanupError) {
    if (cleanupError)
        log::systemLog(strings::format(u"error deleting: %@", *cleanupError));
}

} // namespace

qsizetype BulkInstallReport::failedCount() const {
    qsizetype failed = 0;
    for (const ScriptOutcome& script : scripts)
        failed += script.installed ? 0 : 1;
    return failed;
}

bool installScript(const QString& sourcePath, const QString& userScriptsFolder,
                   QString* errorText) {
    std::optional<QString> cleanupError;
    const auto error = installItem(sourcePath, userScriptsFolder, &cleanupError);
    logCleanup(cleanupError);
    if (error) {
        logError(*error);
        if (errorText)
            *errorText = error->description;
        return false;
    }
    return true;
}

std::optional<QStringList> listFolder(const QString& folder) {
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return std::nullopt;
    QStringList names;
    for (;;) {
        errno = 0;
        const dirent* entry = ::readdir(dir);
        if (!entry)
            break;
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.append(QFile::decodeName(entry->d_name));
    }
    const bool failed = errno != 0;
    ::closedir(dir);
    if (failed)
        return std::nullopt;
    return names;
}

BulkInstallReport installAllScripts(const std::optional<QString>& sourceFolder,
                                    const QString& userScriptsFolder,
                                    const InstallProgress& progress) {
    BulkInstallReport report;
    const std::optional<QStringList> names =
        sourceFolder ? listFolder(*sourceFolder) : std::nullopt;
    if (!names) {
        log::systemLog(QStringLiteral("error getting script directory"));
        report.listing = sourceFolder ? BulkInstallReport::Listing::Unreadable
                                      : BulkInstallReport::Listing::TarnwickNotFound;
        return report;
    }

    StagedInstaller installer(userScriptsFolder);
    struct Pending {
        qsizetype index;
        StagedItem staged;
    };
    const qsizetype total = names->size();
    qsizetype done = 0;
    std::vector<Pending> pending;
    pending.reserve(size_t(names->size()));
    for (const QString& name : *names) {
        ScriptOutcome outcome{name, false, {}};
        StagedItem staged;
        if (auto error = installer.stage(
                strings::stringByAppendingPathComponent(*sourceFolder, name), staged)) {
            logError(*error);
            outcome.error = error->description;
            if (progress)
                progress(outcome, ++done, total);
        } else {
            pending.push_back({report.scripts.size(), std::move(staged)});
        }
        report.scripts.append(outcome);
    }

    installer.flush();
    for (const Pending& item : pending) {
        ScriptOutcome& outcome = report.scripts[item.index];
        std::optional<QString> cleanupError;
        if (auto error = installer.commit(item.staged, &cleanupError)) {
            logError(*error);
            outcome.error = error->description;
        } else {
            outcome.installed = true;
        }
        logCleanup(cleanupError);
        if (progress)
            progress(outcome, ++done, total);
    }
    return report;
}

} // namespace twk::installer

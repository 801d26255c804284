#include "installer/files/ScriptCatalog.h"

#include "support/strings/NaturalOrder.h"
#include "support/text/Conversions.h"

#include <algorithm>

namespace twk::files {

CatalogFolders::CatalogFolders(const std::optional<QString>& sourceFolder,
                               const QString& userScriptsFolder, bool listNames)
    : user_(openFolderPath(text::toNativeBytes(userScriptsFolder).toStdString())) {
    if (!user_.valid())
        userFolder_ =
            Status(Step::Opening, errno, text::toNativeBytes(userScriptsFolder).toStdString());
    if (!sourceFolder) {
        source_ = SourceState::TarnwickNotFound;
        return;
    }
    sourceFd_ = openFolderPath(text::toNativeBytes(*sourceFolder).toStdString());
    if (!sourceFd_.valid()) {
        source_ = SourceState::Unreadable;
        return;
    }
    if (!listNames)
        return;
    if (auto names = readEntries(sourceFd_.get()); names.ok())
        names_ = std::move(*names);
    else
        source_ = SourceState::Unreadable;
}

CatalogEntry CatalogFolders::entry(const std::string& name) const {
    CatalogEntry entry{QByteArray::fromStdString(name)};
    const auto source = sourceFd_.valid() ? statAt(sourceFd_.get(), name)
                                          : Expected<struct stat>(Status(Step::Resolving, EBADF));
    if (!source.ok())
        return entry;
    entry.kind = kindOf(source->st_mode);
    if (user_.valid() && statAt(user_.get(), name).ok())
        entry.state = sameItem(sourceFd_.get(), name, user_.get(), name) ? ScriptState::Installed
                                                                         : ScriptState::Different;
    return entry;
}

bool comesBefore(const QString& shownA, const QByteArray& a, const QString& shownB,
                 const QByteArray& b) {
    const int order = strings::naturalOrderCompare(shownA, shownB);
    return order != 0 ? order < 0 : a < b;
}

void sortByName(QList<CatalogEntry>& entries) {
    std::vector<std::pair<QString, CatalogEntry>> keyed;
    keyed.reserve(size_t(entries.size()));
    for (CatalogEntry& entry : entries)
        keyed.emplace_back(text::fromNativeBytes(entry.name), std::move(entry));
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return comesBefore(a.first, a.second.name, b.first, b.second.name);
    });
    entries.clear();
    for (auto& [shown, entry] : keyed)
        entries.append(std::move(entry));
}

ScriptCatalog scriptCatalog(const std::optional<QString>& sourceFolder,
                            const QString& userScriptsFolder) {
    const CatalogFolders folders(sourceFolder, userScriptsFolder);
    ScriptCatalog catalog{folders.source(), folders.userFolder(), {}};
    for (const std::string& name : folders.names())
        catalog.scripts.append(folders.entry(name));
    sortByName(catalog.scripts);
    return catalog;
}

} // namespace twk::files

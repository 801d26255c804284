#include "installer/ScriptCatalog.h"

#include "installer/ScriptFolders.h"
#include "support/strings/NaturalOrder.h"

#include <algorithm>

namespace twk::installer {

CatalogFolders::CatalogFolders(const std::optional<QString>& sourceFolder,
                               const QString& userScriptsFolder, bool listNames)
    : user_(posix::openFolderPath(posix::nativePath(userScriptsFolder))) {
    if (!sourceFolder) {
        source_ = Source::TarnwickNotFound;
        return;
    }
    sourceFd_ = posix::openFolderPath(posix::nativePath(*sourceFolder));
    if (!sourceFd_.valid() || (listNames && posix::readEntries(sourceFd_.get(), names_) != 0)) {
        names_.clear();
        source_ = Source::Unreadable;
    }
}

CatalogEntry CatalogFolders::entry(const std::string& name) const {
    CatalogEntry entry{QByteArray::fromStdString(name)};
    struct stat st;
    if (!sourceFd_.valid() || !posix::statAt(sourceFd_.get(), name, st))
        return entry;
    entry.kind = kindOf(st.st_mode);
    if (user_.valid() && posix::statAt(user_.get(), name, st))
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
        keyed.emplace_back(displayName(entry.name), std::move(entry));
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
    ScriptCatalog catalog{folders.source(), folders.userFolderExists(), {}};
    for (const std::string& name : folders.names())
        catalog.scripts.append(folders.entry(name));
    sortByName(catalog.scripts);
    return catalog;
}

QString stateName(ScriptState state) {
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

} // namespace twk::installer

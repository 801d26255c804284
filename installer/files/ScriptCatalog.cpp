#include "installer/files/ScriptCatalog.h"

#include "support/strings/NaturalOrder.h"
#include "support/text/Conversions.h"

#include <algorithm>
#include <set>

namespace twk::files {

namespace {

std::string native(const QString& path) {
    return text::toNativeBytes(path).toStdString();
}

} // namespace

CatalogFolders::CatalogFolders(const ScriptPlaces& places, bool listNames)
    : places_(places), user_(openFolderPath(native(places.user))),
      record_(InstallRecord::read(native(places.state))) {
    if (!user_.valid())
        userFolder_ = Status(Step::Opening, errno, native(places.user));
    if (!places.source) {
        source_ = SourceState::TarnwickNotFound;
        return;
    }
    sourceFd_ = openFolderPath(native(*places.source));
    if (!sourceFd_.valid()) {
        source_ = SourceState::Unreadable;
        return;
    }
    if (!listNames)
        return;
    auto names = readEntries(sourceFd_.get());
    if (!names.ok()) {
        source_ = SourceState::Unreadable;
        return;
    }
    names_ = std::move(*names);
    // Scripts the record names that Tarnwick no longer ships, if a copy is still installed.
    const std::set<std::string> shipped(names_.begin(), names_.end());
    for (const QByteArray& name : record_.names()) {
        if (!shipped.count(name.toStdString()))
            names_.push_back(name.toStdString());
    }
}

CatalogEntry CatalogFolders::entry(const std::string& name) {
    const QByteArray key = QByteArray::fromStdString(name);
    const Assessment assessed =
        assessScript(sourceFd_.valid() ? sourceFd_.get() : -1, user_.valid() ? user_.get() : -1,
                     name, record_.find(key));
    if (!assessed.changes.isEmpty()) {
        const std::lock_guard lock(learning_);
        changes_.add(assessed.changes);
    }
    return {key, assessed.state, assessed.kind, assessed.listed};
}

Status CatalogFolders::learn() {
    const std::lock_guard lock(learning_);
    if (!user_.valid())
        return {}; // nothing to learn about copies that cannot be seen
    const Status written = writeRecordChanges(native(places_.state), changes_);
    changes_ = {};
    return written;
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

ScriptCatalog scriptCatalog(const ScriptPlaces& places) {
    CatalogFolders folders(places);
    ScriptCatalog catalog{folders.source(), folders.userFolder(), folders.record(), {}};
    for (const std::string& name : folders.names()) {
        if (CatalogEntry entry = folders.entry(name); entry.listed)
            catalog.scripts.append(std::move(entry));
    }
    (void)folders.learn(); // logged once; the states stand without it
    sortByName(catalog.scripts);
    return catalog;
}

} // namespace twk::files

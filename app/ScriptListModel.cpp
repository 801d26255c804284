#include "app/ScriptListModel.h"

#include "installer/Messages.h"
#include "installer/ScriptFolders.h"
#include "platform/Background.h"
#include "support/text/Conversions.h"
#include "support/text/DisplayText.h"

#include <algorithm>

namespace twk::app {

using files::ScriptState;

namespace {

constexpr size_t StateBatch = 256;

// The kinds and states of these scripts, as both folders hold them now; what that taught the
// install record is written at once.
struct Entries {
    QList<files::CatalogEntry> entries;
    posix::Status record; // why the record could not be read or written
};

Entries entriesOf(const std::vector<std::string>& names) {
    files::CatalogFolders folders(installer::scriptPlaces(), false);
    Entries result;
    for (const std::string& name : names)
        result.entries.append(folders.entry(name));
    result.record = folders.record();
    if (const posix::Status learned = folders.learn(); !learned.ok())
        result.record = learned; // the states stand without it; the window says so
    return result;
}

} // namespace

ScriptListModel::ScriptListModel(QObject* parent) : QAbstractTableModel(parent) {
    pool_.setMaxThreadCount(1); // one reader: results arrive in the order asked
}

ScriptListModel::~ScriptListModel() {
    pool_.waitForDone();
}

int ScriptListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int ScriptListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ScriptListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= rows_.size())
        return {};
    const Row& row = rows_[size_t(index.row())];
    const QString state = row.state ? installer::Messages::stateText(*row.state) : tr("Checking…");
    switch (role) {
    case Qt::DisplayRole:
        if (index.column() == NameColumn)
            return text::visibleText(row.shown);
        return index.column() == StateColumn ? state : QString();
    case Qt::ToolTipRole:
        if (index.column() != NameColumn)
            return {};
        // Drawn as markup by the toolkit: the name goes in escaped, so it shows as it is.
        return QStringLiteral("<p style='white-space:pre-wrap'>%1</p>")
            .arg(text::markupSafeText(row.shown));
    case Qt::AccessibleTextRole:
        // Each cell reads as itself: a screen reader reads a row cell by cell, the name as
        // visible characters, the state as shown. The actions' cell is named by the list,
        // which knows which of them apply.
        return index.column() == NameColumn ? QVariant(text::visibleText(row.shown)) : QVariant();
    case NameRole:
        return row.name;
    case StateRole:
        return row.state ? QVariant(int(*row.state)) : QVariant();
    case StateKnownRole:
        return row.state.has_value();
    default:
        return {};
    }
}

QVariant ScriptListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case NameColumn:
        return tr("Script");
    case StateColumn:
        return tr("State");
    default:
        return tr("Actions");
    }
}

size_t ScriptListModel::lowerBound(const QString& shown, const QByteArray& name) const {
    const auto at = std::lower_bound(
        rows_.begin(), rows_.end(), std::pair(&shown, &name), [](const Row& row, const auto& key) {
            return files::comesBefore(row.shown, row.name, *key.first, *key.second);
        });
    return size_t(at - rows_.begin());
}

int ScriptListModel::rowOf(const QByteArray& name) const {
    const size_t at = lowerBound(text::fromNativeBytes(name), name);
    return at < rows_.size() && rows_[at].name == name ? int(at) : -1;
}

void ScriptListModel::reload() {
    const quint64 generation = ++generation_;
    platform::inBackground(
        pool_, this,
        [] {
            const files::CatalogFolders folders(installer::scriptPlaces(), true);
            Listing listing{folders.source(), folders.userFolder(), folders.record(), {}};
            QList<files::CatalogEntry> entries;
            for (const std::string& name : folders.names())
                entries.append({QByteArray::fromStdString(name)});
            files::sortByName(entries);
            for (const auto& entry : entries)
                listing.rows.push_back(
                    {entry.name, text::fromNativeBytes(entry.name), std::nullopt});
            return listing;
        },
        [this, generation](Listing listing) {
            if (generation != generation_)
                return; // a later reload is under way
            beginResetModel();
            rows_ = std::move(listing.rows);
            source_ = listing.source;
            userFolder_ = listing.userFolder;
            record_ = listing.record;
            endResetModel();
            Q_EMIT foldersRead();
            fillStates(generation, 0);
        });
}

void ScriptListModel::fillStates(quint64 generation, size_t from) {
    if (from >= rows_.size()) {
        Q_EMIT statesKnown();
        return;
    }
    std::vector<std::string> names;
    for (size_t i = from; i < rows_.size() && names.size() < StateBatch; ++i)
        names.push_back(rows_[i].name.toStdString());
    platform::inBackground(
        pool_, this, [names] { return entriesOf(names); },
        [this, generation, from](const Entries& looked) {
            if (generation != generation_)
                return;
            noteRecord(looked.record);
            const QList<files::CatalogEntry>& entries = looked.entries;
            size_t end = std::min(rows_.size(), from + size_t(entries.size()));
            for (size_t i = from; i < end; ++i)
                rows_[i].state = entries[qsizetype(i - from)].state;
            if (end > from)
                Q_EMIT dataChanged(index(int(from), 0), index(int(end - 1), ColumnCount - 1));
            // Names the record kept of scripts neither shipped nor installed any more go.
            for (size_t i = end; i-- > from;) {
                if (!entries[qsizetype(i - from)].listed) {
                    beginRemoveRows({}, int(i), int(i));
                    rows_.erase(rows_.begin() + qsizetype(i));
                    endRemoveRows();
                    --end;
                }
            }
            fillStates(generation, end);
        });
}

void ScriptListModel::update(const QSet<QByteArray>& names) {
    if (names.isEmpty())
        return;
    const quint64 generation = generation_;
    std::vector<std::string> wanted;
    for (const QByteArray& name : names)
        wanted.push_back(name.toStdString());
    platform::inBackground(
        pool_, this, [wanted] { return entriesOf(wanted); },
        [this, generation](const Entries& looked) {
            if (generation != generation_)
                return;
            noteRecord(looked.record);
            applyEntries(looked.entries);
        });
}

void ScriptListModel::noteRecord(const posix::Status& record) {
    if (record.ok() || !record_.ok())
        return; // said once
    record_ = record;
    Q_EMIT foldersRead();
}

void ScriptListModel::applyEntries(const QList<files::CatalogEntry>& entries) {
    for (const files::CatalogEntry& entry : entries) {
        const QString shown = text::fromNativeBytes(entry.name);
        const size_t at = lowerBound(shown, entry.name);
        const bool present = at < rows_.size() && rows_[at].name == entry.name;
        const int row = int(at);
        if (!entry.listed) {
            if (present) {
                beginRemoveRows({}, row, row);
                rows_.erase(rows_.begin() + qsizetype(at));
                endRemoveRows();
            }
        } else if (!present) {
            beginInsertRows({}, row, row);
            rows_.insert(rows_.begin() + qsizetype(at), Row{entry.name, shown, entry.state});
            endInsertRows();
        } else if (rows_[at].state != entry.state) {
            rows_[at].state = entry.state;
            Q_EMIT dataChanged(index(row, 0), index(row, ColumnCount - 1));
        }
    }
}

} // namespace twk::app

#pragma once

// Tarnwick's scripts as a table for the window's list: name, state, and the row's actions
// (drawn by ScriptRowDelegate). Both folders are read off the window's thread: the names
// first, then the states in batches, so the window shows at once however many scripts there
// are. A change to some entries updates only their rows.

#include "installer/files/ScriptCatalog.h"

#include <QAbstractTableModel>
#include <QSet>
#include <QThreadPool>

#include <optional>
#include <vector>

namespace twk::app {

class ScriptListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn, StateColumn, ActionsColumn, ColumnCount };
    enum Role { NameRole = Qt::UserRole + 1, StateRole, StateKnownRole };

    explicit ScriptListModel(QObject* parent = nullptr);
    ~ScriptListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    QByteArray nameAt(int row) const { return rows_.at(size_t(row)).name; }
    std::optional<files::ScriptState> stateAt(int row) const { return rows_.at(size_t(row)).state; }
    int rowOf(const QByteArray& name) const; // -1 when absent

    files::SourceState source() const { return source_; }
    // Whether the user scripts folder could be opened, and why not.
    const posix::Status& userFolder() const { return userFolder_; }
    bool userFolderExists() const { return userFolder_.ok(); }
    // Why the install record cannot be read or written, when it cannot.
    const posix::Status& record() const { return record_; }

    // Reads both folders again.
    void reload();
    // Looks at these entries again.
    void update(const QSet<QByteArray>& names);

Q_SIGNALS:
    // The folders were read: source(), userFolderExists() and the rows are current.
    void foldersRead();
    // Every row's state is known.
    void statesKnown();

private:
    struct Row {
        QByteArray name;
        QString shown;
        std::optional<files::ScriptState> state;
    };
    struct Listing {
        files::SourceState source;
        posix::Status userFolder;
        posix::Status record;
        std::vector<Row> rows;
    };

    size_t lowerBound(const QString& shown, const QByteArray& name) const;
    void fillStates(quint64 generation, size_t from);
    void applyEntries(const QList<files::CatalogEntry>& entries);
    void noteRecord(const posix::Status& record);

    std::vector<Row> rows_;
    files::SourceState source_ = files::SourceState::Listed;
    posix::Status userFolder_;
    posix::Status record_;
    quint64 generation_ = 0;
    QThreadPool pool_;
};

} // namespace twk::app

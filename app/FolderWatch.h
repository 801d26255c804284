#pragma once

// Follows the entries of a few folders while the window is open, through inotify: an
// event names the entry that changed, so the list updates only the rows that changed.
// Bursts are folded into one report a moment later. The inotify instance is made at the
// first watch(), when the folders are known, not with the window.

#include <QObject>
#include <QSet>
#include <QSocketNotifier>
#include <QStringList>
#include <QTimer>

#include <map>
#include <memory>
#include <string>

namespace twk::app {

class FolderWatch : public QObject {
    Q_OBJECT
public:
    explicit FolderWatch(QObject* parent = nullptr);
    ~FolderWatch() override;

    // Watches these folders' entries (folders that do not exist are watched for through
    // their parent, so their appearance is noticed), in place of any earlier ones.
    void watch(const QStringList& folders);

Q_SIGNALS:
    // Entries of the watched folders changed: their names, whichever folder they are in.
    void entriesChanged(const QSet<QByteArray>& names);
    // A watched folder itself appeared, went or moved; or too much changed to tell.
    void foldersChanged();

private:
    bool open();
    void readEvents();
    void report();

    int fd_ = -1;
    bool opened_ = false;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::map<int, std::string> watched_; // watch descriptor: the folder's own name for parents
    QSet<QByteArray> changed_;
    bool foldersChanged_ = false;
    QTimer fold_;
};

} // namespace twk::app

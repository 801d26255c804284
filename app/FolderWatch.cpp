#include "app/FolderWatch.h"

#include "support/text/Conversions.h"

#include <QFile>

#include <sys/inotify.h>
#include <unistd.h>

namespace twk::app {
namespace {

constexpr uint32_t EntryEvents =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE | IN_ATTRIB | IN_MODIFY;
constexpr uint32_t SelfEvents = IN_DELETE_SELF | IN_MOVE_SELF | IN_UNMOUNT;

} // namespace

FolderWatch::FolderWatch(QObject* parent) : QObject(parent) {
    fold_.setSingleShot(true);
    fold_.setInterval(100);
    connect(&fold_, &QTimer::timeout, this, &FolderWatch::report);
}

FolderWatch::~FolderWatch() {
    notifier_.reset();
    if (fd_ >= 0)
        ::close(fd_);
}

bool FolderWatch::open() {
    if (!opened_) {
        opened_ = true;
        fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (fd_ >= 0) {
            notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
            connect(notifier_.get(), &QSocketNotifier::activated, this, &FolderWatch::readEvents);
        }
    }
    return fd_ >= 0;
}

void FolderWatch::watch(const QStringList& folders) {
    if (!open())
        return;
    for (const auto& [descriptor, name] : watched_)
        ::inotify_rm_watch(fd_, descriptor);
    watched_.clear();
    for (const QString& folder : folders) {
        const QByteArray path = text::toNativeBytes(folder);
        const int entries =
            ::inotify_add_watch(fd_, path.constData(), EntryEvents | SelfEvents | IN_ONLYDIR);
        if (entries >= 0)
            watched_[entries] = {};
        // Its parent tells when the folder itself appears, goes or is replaced.
        const qsizetype slash = path.lastIndexOf('/');
        const int parent =
            ::inotify_add_watch(fd_, slash > 0 ? path.left(slash).constData() : "/",
                                IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ONLYDIR);
        if (parent >= 0 && parent != entries)
            watched_[parent] = path.mid(slash + 1).toStdString();
    }
}

void FolderWatch::readEvents() {
    alignas(inotify_event) char buffer[16384];
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            at += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & (IN_Q_OVERFLOW | SelfEvents)) {
                foldersChanged_ = true;
                continue;
            }
            const auto found = watched_.find(event->wd);
            if (found == watched_.end() || !event->len)
                continue;
            if (found->second.empty())
                changed_.insert(QByteArray(event->name));
            else if (found->second == event->name)
                foldersChanged_ = true; // a watched folder, seen from its parent
        }
    }
    if (!fold_.isActive())
        fold_.start();
}

void FolderWatch::report() {
    if (foldersChanged_) {
        foldersChanged_ = false;
        changed_.clear();
        Q_EMIT foldersChanged();
        return;
    }
    if (!changed_.isEmpty())
        Q_EMIT entriesChanged(std::exchange(changed_, {}));
}

} // namespace twk::app

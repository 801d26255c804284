#include "support/posix/FolderLock.h"

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>

namespace twk::posix {

Expected<FolderLock> FolderLock::take(const std::string& folder,
                                      std::chrono::milliseconds deadline) {
    Fd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.valid())
        return Status(Step::Locking, errno, folder);
    // flock() has no timeout of its own: try without blocking, a little longer each time.
    const auto giveUpAt = std::chrono::steady_clock::now() + deadline;
    auto pause = std::chrono::milliseconds(1);
    for (;;) {
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) == 0)
            return FolderLock(std::move(fd));
        if (errno != EWOULDBLOCK && errno != EINTR)
            return Status(Step::Locking, errno, folder);
        if (std::chrono::steady_clock::now() >= giveUpAt)
            return Status(
                Step::Locking, ETIMEDOUT, folder,
                QCoreApplication::translate("Status", "another program has held it for too long"));
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}

} // namespace twk::posix

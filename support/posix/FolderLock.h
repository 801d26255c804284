#pragma once

// An exclusive lock on a folder, shared by the processes that write files in it, with a
// deadline: a lock another process holds for longer (a stuck instance, a network file
// system whose lock service hangs) fails the caller in bounded time instead of blocking it.

#include "support/posix/Expected.h"
#include "support/posix/Fd.h"

#include <chrono>
#include <string>

namespace twk::posix {

class FolderLock {
public:
    // How long a writer waits for the lock before it gives up.
    static constexpr std::chrono::milliseconds DefaultDeadline{2000};

    // Takes the lock on the folder at path, or fails with Step::Locking (ETIMEDOUT once the
    // deadline passed) when it cannot be had in time.
    static Expected<FolderLock> take(const std::string& folder,
                                     std::chrono::milliseconds deadline = DefaultDeadline);

    FolderLock(FolderLock&&) noexcept = default;
    FolderLock& operator=(FolderLock&&) noexcept = default;
    // Released with the descriptor.
    ~FolderLock() = default;

private:
    explicit FolderLock(Fd fd) : fd_(std::move(fd)) {}
    Fd fd_;
};

} // namespace twk::posix

#include "support/posix/AtomicFile.h"

#include "support/posix/Fd.h"
#include "support/posix/Io.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace twk::posix {
namespace {

// "20260307-120000-123" in UTC, from the C library: it works at any moment, also while the
// process ends and Qt's own time zone data is gone.
std::string timeTag() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    std::tm utc{};
    ::gmtime_r(&now.tv_sec, &utc);
    char text[sizeof "20260307-120000-123"];
    const size_t n = std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &utc);
    std::snprintf(text + n, sizeof text - n, "-%03ld", now.tv_nsec / 1000000);
    return text;
}

} // namespace

Status replaceFile(const std::string& target, const QByteArray& bytes) {
    std::string temporary = target + ".XXXXXX";
    Fd fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd.valid())
        return Status(Step::Writing, errno, target);
    Status status = writeAll(fd.get(), bytes);
    if (status.ok() && (::fchmod(fd.get(), 0600) != 0 || ::fsync(fd.get()) != 0))
        status = Status(Step::Writing, errno);
    // A late write error (quota, a full disk on some file systems) shows only at close.
    if (status.ok() && ::close(fd.release()) != 0)
        status = Status(Step::Writing, errno);
    if (status.ok() && ::rename(temporary.c_str(), target.c_str()) != 0)
        status = Status(Step::Replacing, errno);
    if (!status.ok())
        ::unlink(temporary.c_str());
    return status.as(status.step(), target);
}

Expected<std::string> setAside(const std::string& path) {
    const std::string base = path + ".damaged-" + timeTag();
    std::string aside = base;
    for (int attempt = 2; attempt < 1000; ++attempt) {
        if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE) == 0)
            return aside;
        if (errno != EEXIST)
            return Status(Step::Replacing, errno, path);
        aside = base + '-' + std::to_string(attempt);
    }
    return Status(Step::Replacing, EEXIST, path);
}

} // namespace twk::posix

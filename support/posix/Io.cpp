#include "support/posix/Io.h"

#include <cerrno>
#include <unistd.h>

namespace twk::posix {

Status readFully(int fd, char* buffer, size_t size, size_t& got) {
    got = 0;
    while (got < size) {
        const ssize_t n = ::read(fd, buffer + got, size - got);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Status(Step::Reading, errno);
        }
        got += size_t(n);
    }
    return {};
}

Status readAll(int fd, QByteArray& bytes, qint64 limit) {
    char buffer[16384];
    for (;;) {
        size_t got = 0;
        if (Status read = readFully(fd, buffer, sizeof buffer, got); !read.ok())
            return read;
        bytes.append(buffer, qsizetype(got));
        if (got < sizeof buffer || bytes.size() > limit)
            return {};
    }
}

Status writeAll(int fd, const char* data, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Status(Step::Writing, errno);
        }
        done += size_t(n);
    }
    return {};
}

} // namespace twk::posix

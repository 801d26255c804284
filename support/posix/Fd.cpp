#include "support/posix/Fd.h"

#include <unistd.h>

namespace twk::posix {

Fd& Fd::operator=(Fd&& other) noexcept {
    if (this != &other)
        reset(other.release());
    return *this;
}

int Fd::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void Fd::reset(int fd) {
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd;
}

} // namespace twk::posix

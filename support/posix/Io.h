#pragma once

// Whole reads and writes: the loops every caller would otherwise write again, retrying
// interrupted calls and short transfers. A failure has no path: the caller knows it, and
// names it with Status::as().

#include "support/posix/Status.h"

#include <QByteArray>

#include <cstddef>

namespace twk::posix {

// Reads until size bytes are in or the end of the file: got says how many.
Status readFully(int fd, char* buffer, size_t size, size_t& got);

// Reads to the end of the file, stopping once more than limit bytes are in (the caller
// then sees a size above the limit).
Status readAll(int fd, QByteArray& bytes, qint64 limit);

// Writes every byte.
Status writeAll(int fd, const char* data, size_t size);
inline Status writeAll(int fd, const QByteArray& bytes) {
    return writeAll(fd, bytes.constData(), size_t(bytes.size()));
}

} // namespace twk::posix

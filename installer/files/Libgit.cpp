#include "installer/files/Libgit.h"

#include <git2.h>

#include "support/text/Conversions.h"

#include <QString>

#include <cerrno>
#include <mutex>

namespace twk::files {

void useLibgit2() {
    // Never shut down: other threads may diff until the process ends.
    static std::once_flag started;
    std::call_once(started, [] { git_libgit2_init(); });
}

Status libgit2Failure(Step step, int code) {
    const git_error* error = git_error_last();
    const QString reason = error && error->message ? text::fromNativeBytes(error->message)
                                                   : QStringLiteral("libgit2 error %1").arg(code);
    return Status(step, code == GIT_EBUFS ? EFBIG : EIO, {}, reason);
}

} // namespace twk::files

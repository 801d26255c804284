#include "installer/files/Libgit.h"

#include "support/text/Conversions.h"

#include <QCoreApplication>
#include <QString>

#include <cerrno>
#include <dlfcn.h>
#include <mutex>

namespace twk::files {
namespace {

// The library the program was built against, by its soname.
constexpr char Soname[] = "libgit2.so." LIBGIT2_SOVERSION;

template <typename F> bool find(void* library, const char* symbol, F& function) {
    function = reinterpret_cast<F>(::dlsym(library, symbol));
    return function != nullptr;
}

Expected<const Libgit2*> load() {
    static Libgit2 git{};
    void* library = ::dlopen(Soname, RTLD_NOW | RTLD_LOCAL);
    decltype(&git_libgit2_init) init = nullptr;
    const bool found = library && find(library, "git_libgit2_init", init) &&
                       find(library, "git_error_last", git.errorLast) &&
                       find(library, "git_diff_options_init", git.diffOptionsInit) &&
                       find(library, "git_patch_from_buffers", git.patchFromBuffers) &&
                       find(library, "git_patch_free", git.patchFree) &&
                       find(library, "git_patch_num_hunks", git.patchNumHunks) &&
                       find(library, "git_patch_get_hunk", git.patchGetHunk) &&
                       find(library, "git_patch_get_line_in_hunk", git.patchGetLineInHunk) &&
                       find(library, "git_merge_file_input_init", git.mergeFileInputInit) &&
                       find(library, "git_merge_file_options_init", git.mergeFileOptionsInit) &&
                       find(library, "git_merge_file", git.mergeFile) &&
                       find(library, "git_merge_file_result_free", git.mergeFileResultFree);
    if (!found) {
        const char* why = ::dlerror();
        return Status(Step::Opening, ENOENT, Soname,
                      why ? text::fromNativeBytes(why)
                          : QCoreApplication::translate("Status", "the library is incomplete"));
    }
    init(); // never shut down: other threads may diff until the process ends
    return &git;
}

} // namespace

Expected<const Libgit2*> libgit2() {
    static std::once_flag loading;
    static Expected<const Libgit2*> loaded = Status(Step::Opening, EAGAIN);
    std::call_once(loading, [] { loaded = load(); });
    return loaded;
}

Status libgit2Failure(const Libgit2& git, Step step, int code) {
    const git_error* error = git.errorLast();
    const QString reason = error && error->message ? text::fromNativeBytes(error->message)
                                                   : QStringLiteral("libgit2 error %1").arg(code);
    return Status(step, code == GIT_EBUFS ? EFBIG : EIO, {}, reason);
}

} // namespace twk::files

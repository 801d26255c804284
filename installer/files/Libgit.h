#pragma once

// libgit2, which does every diff and merge of the program: loaded the first time a diff or a
// merge is wanted, never at start (it brings a score of libraries no install needs), started
// once per process, and its failures as the program's own.

#include "installer/files/Folders.h"

#include <git2.h>

namespace twk::files {

// The libgit2 functions the program calls, once loaded.
struct Libgit2 {
    decltype(&git_error_last) errorLast;
    decltype(&git_diff_options_init) diffOptionsInit;
    decltype(&git_patch_from_buffers) patchFromBuffers;
    decltype(&git_patch_free) patchFree;
    decltype(&git_patch_num_hunks) patchNumHunks;
    decltype(&git_patch_get_hunk) patchGetHunk;
    decltype(&git_patch_get_line_in_hunk) patchGetLineInHunk;
    decltype(&git_merge_file_input_init) mergeFileInputInit;
    decltype(&git_merge_file_options_init) mergeFileOptionsInit;
    decltype(&git_merge_file) mergeFile;
    decltype(&git_merge_file_result_free) mergeFileResultFree;
};

// libgit2 loaded and started; the first call loads it, later ones cost nothing. Thread-safe.
// Fails (and says why) when the library cannot be loaded.
Expected<const Libgit2*> libgit2();

// The failure libgit2 just reported on this thread (code is what its call returned), as a
// failure of the step.
Status libgit2Failure(const Libgit2& git, Step step, int code);

} // namespace twk::files

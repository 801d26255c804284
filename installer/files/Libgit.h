#pragma once

// libgit2, which does every diff and merge of the program: started once per process, and its
// failures as the program's own.

#include "installer/files/Folders.h"

namespace twk::files {

// Starts libgit2 the first time it is called; later calls cost nothing. Thread-safe.
void useLibgit2();

// The failure libgit2 just reported on this thread (code is what its call returned), as a
// failure of the step.
Status libgit2Failure(Step step, int code);

} // namespace twk::files

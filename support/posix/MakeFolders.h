#pragma once

#include "support/posix/Status.h"

#include <string>

namespace twk::posix {

// Creates each missing folder of an absolute path, private to the user (mode 0700), as
// `mkdir -p` does; folders that exist are left as they are.
Status makeFolders(const std::string& path);

} // namespace twk::posix

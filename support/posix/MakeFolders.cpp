#include "support/posix/MakeFolders.h"

#include <cerrno>
#include <sys/stat.h>

namespace twk::posix {

Status makeFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string prefix = path.substr(0, slash);
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST)
            return Status(Step::Opening, errno, prefix);
        if (slash == std::string::npos)
            return {};
    }
}

} // namespace twk::posix

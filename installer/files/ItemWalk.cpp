#include "installer/files/ItemWalk.h"

#include <algorithm>

namespace twk::files {

Status walkItem(int dir, const std::string& name, const ItemVisitor& visit) {
    const auto top = statAt(dir, name);
    if (!top.ok())
        return top.status();
    if (Status s = visit(dir, name, {}, *top); !s.ok() || !S_ISDIR(top->st_mode))
        return s;
    FolderStack walk(dir, {}, Step::Reading);
    auto enter = [&walk](const std::string& folder, const struct stat& st) {
        Status entered = walk.enter(folder, st);
        if (entered.ok())
            std::sort(walk.top().entries.begin(), walk.top().entries.end());
        return entered;
    };
    if (Status s = enter(name, *top); !s.ok())
        return s;
    while (!walk.empty()) {
        const std::string* next = walk.top().nextEntry();
        if (!next) {
            if (Status s = walk.leave(); !s.ok())
                return s;
            continue;
        }
        const std::string entry = *next;
        const auto st = statAt(walk.fd(), entry);
        if (!st.ok())
            return walk.failure(st.status().error(), entry);
        // pathOf() gives "/<folders below the item>/<entry>" once the item's own name is cut.
        const std::string relative = walk.pathOf(entry).substr(name.size() + 1);
        if (Status s = visit(walk.fd(), entry, relative, *st); !s.ok())
            return s;
        if (S_ISDIR(st->st_mode)) {
            if (Status s = enter(entry, *st); !s.ok())
                return s;
        }
    }
    return {};
}

} // namespace twk::files

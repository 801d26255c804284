#pragma once

// An item visited whole in a fixed order: the item itself, then, for a folder, every entry
// depth first, each folder's entries in byte order of their names. Nothing is followed: a
// link is visited as a link.

#include "installer/files/FolderStack.h"

#include <functional>

namespace twk::files {

// Called for each entry: the folder it lies in, its name there, its path relative to the
// item ("" for the item itself, then "/a", "/a/b"...), and its stat. A failure stops the walk.
using ItemVisitor = std::function<Status(int folder, const std::string& name,
                                         const std::string& relative, const struct stat& st)>;

// Walks the item name of dir. Fails with the first failure of a visit or of the walk itself
// (ENOENT when there is no item).
Status walkItem(int dir, const std::string& name, const ItemVisitor& visit);

} // namespace twk::files

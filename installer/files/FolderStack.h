#pragma once

// The folders of a depth-first walk, from the item walked down to the folder being visited,
// kept on an explicit stack instead of the call stack: depth and path length are limited by
// the file system only. Each folder is opened relative to its parent without following a
// link, and must be the folder that was checked before it was entered. Only the deepest
// folders keep their descriptors open; a shallower one is opened again through ".." of its
// child when the walk climbs back to it, and must still be the same folder.

#include "installer/files/Folders.h"

#include <functional>
#include <string>
#include <vector>

namespace twk::files {

class FolderStack {
public:
    struct Frame {
        Fd fd; // may be closed while deeper folders are open
        struct stat st;
        std::string name; // its name in the folder above
        std::vector<std::string> entries;
        size_t next = 0;

        // The next entry name to visit, or null once all were visited.
        const std::string* nextEntry() {
            return next < entries.size() ? &entries[next++] : nullptr;
        }
    };

    // base: the folder the walked item lies in (not owned); root: its path, for messages.
    FolderStack(int base, std::string root, Step step)
        : base_(base), root_(std::move(root)), step_(step) {}

    // Opens the folder name inside the current one (or inside base when empty), which must
    // be the file checked as expected, and reads its entries. With writable, a folder the
    // owner cannot change is given owner write permission (only for folders being emptied).
    Status enter(const std::string& name, const struct stat& expected, bool writable = false);
    // Leaves the current folder; the one above is open again afterwards.
    Status leave();

    bool empty() const { return frames_.empty(); }
    Frame& top() { return frames_.back(); }
    // The descriptor of the current folder, or base when the stack is empty.
    int fd() const { return frames_.empty() ? base_ : frames_.back().fd.get(); }

    // The full path of an entry of the current folder, for messages only.
    std::string pathOf(const std::string& entry = {}) const;
    Status failure(int error, const std::string& entry = {}) const {
        return Status(step_, error, pathOf(entry));
    }

private:
    static constexpr size_t MaxOpen = 48;

    int base_;
    std::string root_;
    Step step_;
    std::vector<Frame> frames_;
};

// Called with an entry's name just before the walk opens or removes it; tests use it to
// change the tree at the worst moment. Empty by default.
void setEntryHookForTesting(std::function<void(const std::string& name)> hook);
void runEntryHook(const std::string& name);

} // namespace twk::files

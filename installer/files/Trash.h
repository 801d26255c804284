#pragma once

// The user's Trash, laid out the freedesktop.org way: an item moved
// there lies in files/<name>, and info/<name>.trashinfo says where it came from and when, so
// that a file manager's Restore puts it back under its own name. Items are moved into the
// home Trash ($XDG_DATA_HOME/Trash) by a rename, so only from the file system it is on.

#include "installer/files/Folders.h"

#include <string>

namespace twk::files {

class TrashSlot {
public:
    TrashSlot() = default;
    TrashSlot(const TrashSlot&) = delete;
    TrashSlot& operator=(const TrashSlot&) = delete;
    // A reservation that was not filled is given back.
    ~TrashSlot();

    // Reserves a place for the item that lies at originalPath (absolute), in folderFd: the
    // info file is written first, so no item ever lies there without it.
    Status reserve(int folderFd, const std::string& originalPath);
    // Moves the item name of folderFd into the reserved place.
    Status fill(int folderFd, const std::string& name);
    // Moves a filled item back to name of folderFd; the reservation is then given back.
    Status restore(int folderFd, const std::string& name);

    // The name the item has in the Trash's files folder.
    const std::string& trashedName() const { return name_; }

private:
    void giveBack();

    Fd files_, info_;
    std::string originalPath_;
    std::string name_;
    bool reserved_ = false;
    bool filled_ = false;
};

// Moves the item name of folderFd, which lies at originalPath, to the Trash.
Status moveToTrash(int folderFd, const std::string& name, const std::string& originalPath,
                   std::string* trashedName = nullptr);

// The home Trash's folder.
std::string homeTrashFolder();

} // namespace twk::files

#pragma once

// Whole items (a file, a folder with everything in it, a link, a FIFO) named inside an open
// folder: copied, removed and measured without following any link inside them.

#include "installer/files/Folders.h"

#include <QtGlobal>

#include <string>

namespace twk::files {

// Copies the item srcName of srcDir to dstName of dstDir, which must not exist yet. Files
// keep their bytes, mode and times; links are copied as links; folders are created private
// and get their own mode once filled. srcRoot is srcDir's path, for messages.
Status copyItem(int srcDir, const std::string& srcName, int dstDir, const std::string& dstName,
                const std::string& srcRoot);

// Removes the item and everything in it; an item that is not there is no failure. A folder
// the owner cannot change is given owner permissions first, nothing else ever is.
Status removeItem(int dir, const std::string& name, const std::string& root);

enum class ItemKind { Missing, File, Folder, Link, Other };

struct ItemMeasure {
    ItemKind kind = ItemKind::Missing;
    qint64 files = 0; // files and links in it (1 for a file)
    qint64 bytes = 0; // their sizes
    std::string linkTarget;
};

// What an item is and how big; a folder is walked whole.
ItemMeasure measureItem(int dir, const std::string& name);

ItemKind kindOf(mode_t mode);

// The target of the link name of dir (st its stat), however long.
Expected<std::string> readLink(int dir, const std::string& name, const struct stat& st);

} // namespace twk::files

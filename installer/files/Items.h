#pragma once

// Whole items (a file, a folder with everything in it, a link, a FIFO) named inside an open
// folder: copied, removed and measured without following any link inside them.

#include "installer/files/Folders.h"

#include <QtGlobal>

#include <functional>
#include <string>

namespace twk::files {

// Copies the item srcName of srcDir to dstName of dstDir, which must not exist yet. Files
// keep their bytes, mode and times; links are copied as links; folders are created private
// and get their own mode once filled. srcRoot is srcDir's path, for messages.
Status copyItem(int srcDir, const std::string& srcName, int dstDir, const std::string& dstName,
                const std::string& srcRoot);

// Receives a file's bytes, in order, as they are copied.
using ByteTap = std::function<void(const char* data, size_t size)>;
// The pieces a tap is handed are at most this big.
inline constexpr size_t TapBufferSize = 1 << 18;

// This thread's buffer of TapBufferSize bytes for passing a file's bytes through: reused, not
// cleared, so a small file costs no allocation. One pass at a time per thread uses it.
char* passBuffer();

// Copies the regular file srcName of srcDir (st: its stat, as found) to the new dstName of
// dstDir as copyItem would, handing every byte of the copy to tap on the way.
Status copyFileTapped(int srcDir, const std::string& srcName, const struct stat& st, int dstDir,
                      const std::string& dstName, const ByteTap& tap);

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

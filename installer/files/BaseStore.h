#pragma once

// The versions that were installed, kept so that a later merge has the version both the user
// and Tarnwick started from: each text file (no NUL byte, at most WholeFileLimit bytes) of an
// installed script lies in <state folder>/bases/<its digest>, once however many scripts hold
// it. The install record names them; a base no record entry names any more is dropped when the
// record is written. A base is written before the record names it, and read only when its
// bytes still have its digest: one being written, or damaged by a crash, counts as none.

#include "installer/files/ItemDigest.h"

#include <QByteArray>

#include <map>
#include <mutex>
#include <set>
#include <string>

namespace twk::files {

// Each leaf of an installed script by its path relative to the script ("" for a file script):
// its digest, whether or not its bytes were kept as a base.
using BaseFiles = std::map<std::string, Digest>;

class BaseStore {
public:
    explicit BaseStore(const std::string& stateFolder);
    BaseStore(const BaseStore&) = delete;
    BaseStore& operator=(const BaseStore&) = delete;

    // Keeps the text under its digest. One kept already is only marked as wanted now, so that
    // a collection running meanwhile leaves it.
    Status keep(const Digest& digest, const QByteArray& text);
    // The text kept under the digest; ENOENT when there is none (or it no longer matches).
    Expected<QByteArray> text(const Digest& digest) const;
    // Drops every base whose digest is not in used (as hex), unless it was kept or wanted in
    // the last minutes: an install may have kept it for a record it is about to write.
    void dropUnused(const std::set<QString>& used) const;

    const std::string& folder() const { return folder_; }

private:
    // The store's folder, opened once (and made, with create); -1 with errno when it cannot be.
    int folderFd(bool create) const;

    std::string folder_;
    mutable std::mutex opening_;
    mutable Fd fd_;
};

// The item's content digest, its leaves' digests, and every text file of it kept as a base:
// read once. A base that cannot be kept is logged; the digests stand without it.
struct KeptItem {
    Digest content;
    BaseFiles files;
};
Expected<KeptItem> keepBases(BaseStore& store, int dir, const std::string& name);

// The same for a file script while it is copied (see copyFileWithDigest): the copy's digest
// and base, from the bytes as they pass.
Expected<KeptItem> copyKeepingBases(BaseStore& store, int dir, const std::string& name,
                                    const struct stat& st, int copyDir,
                                    const std::string& copyName);

} // namespace twk::files

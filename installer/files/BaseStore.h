#pragma once

// The versions that were installed, kept so that a later merge has the version both the user
// and Tarnwick started from: each text file (no NUL byte, at most WholeFileLimit bytes) of an
// installed script, by its digest. Each run appends the bases it keeps to a pack of its own in
// <state folder>/bases (thousands of small files would cost more than the copies themselves);
// bases an earlier version kept one file each are read too. The install record names them; a
// file no entry names any more, or a pack that mostly holds such bases, is dropped (the named
// ones moved to a new pack first) when the record is written. A base is written, and flushed
// with the copies, before the record names it, and read only when its bytes still have its
// digest: one cut short by a crash counts as none.

#include "installer/files/ItemDigest.h"

#include <QByteArray>

#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

namespace twk::files {

// Each leaf of an installed script by its path relative to the script ("" for a file script):
// its digest, whether or not its bytes were kept as a base.
using BaseFiles = std::map<std::string, Digest>;

class BaseStore {
public:
    explicit BaseStore(const std::string& stateFolder);
    BaseStore(const BaseStore&) = delete;
    BaseStore& operator=(const BaseStore&) = delete;

    // Keeps the text under its digest, in this store's pack (made on first use; several
    // threads may keep at once).
    Status keep(const Digest& digest, const QByteArray& text);
    // Makes what keep() wrote durable.
    Status flush();
    // The text kept under the digest; ENOENT when there is none (or it no longer matches).
    Expected<QByteArray> text(const Digest& digest) const;
    // Drops every base whose digest is not in used (as hex), unless its file was written in
    // the last minutes: an install may have kept it for a record it is about to write.
    void dropUnused(const std::set<QString>& used) const;

    const std::string& folder() const { return folder_; }

private:
    // Where a base lies in a pack.
    struct Place {
        std::string pack;
        off_t offset;
        quint64 size;
    };
    using Key = std::pair<quint64, quint64>; // a digest, as a key
    // A pack this store appends to, one per thread: appends need no lock.
    struct Pack {
        Fd fd;
        std::string name;
        off_t size = 0;
        bool failed = false, named = false; // named: its name flushed in the folder
        int error = 0;
    };
    // Where the packs hold each base, and the bases kept as files of their own.
    struct Index {
        std::multimap<Key, Place> places;
        std::set<std::string> loose;
    };

    // The store's folder, opened once (and made, with create); -1 with errno when it cannot be.
    int folderFd(bool create) const;
    // Makes the pack on first use; false with errno when it cannot be (or was cut short).
    static bool openPack(int folder, Pack& pack);
    // Whether another run kept the base, whole, in a pack no collection takes before this run
    // names it.
    bool keptAlready(int folder, const Digest& digest) const;
    // Where the packs hold the base, and whether a file of its own may; from an index made on
    // first need (afresh with fresh).
    std::pair<std::vector<Place>, bool> placesOf(int folder, const Digest& digest,
                                                 bool fresh) const;
    // Drops a pack, the named bases in it (offsets and sizes) moved to a new pack first.
    void collectPack(int folder, int pack, const std::string& name,
                     const std::vector<std::pair<off_t, quint64>>& kept) const;

    std::string folder_;
    mutable std::mutex opening_;
    mutable Fd fd_;
    std::mutex packing_; // packs_ and kept_
    std::map<std::thread::id, Pack> packs_;
    // By this store. (A digest is a hash already: its low half serves as the table's.)
    struct KeyHash {
        size_t operator()(const Key& key) const { return size_t(key.second); }
    };
    std::unordered_set<Key, KeyHash> kept_;
    mutable std::mutex indexing_;
    mutable std::optional<Index> index_;
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

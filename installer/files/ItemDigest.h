#pragma once

// What an item holds, and what it looks like, each in 128 bits (xxHash's XXH3-128: fast
// enough to read a tree at the speed it is copied, and far from any accidental collision; the
// copies compared are the user's and Tarnwick's, not an adversary's).
//
// The content digest reads everything: a file's bytes; for a folder every entry's path
// relative to it (as bytes), kind, executable bit, and a file's bytes or a link's target, in
// the walk's fixed order. Two items have the same content digest when a person would call
// them the same script, whatever their dates.
//
// The stamp reads nothing but metadata: every entry's device, inode, mode, size and
// modification and change times in nanoseconds. A stamp that still matches means the item is
// as it was when the stamp was taken, unless the stamp was taken so soon after the newest of
// those times that a later change could carry the same times (then it must not be trusted).

#include "installer/files/Folders.h"

#include <QByteArray>
#include <QString>

#include <functional>

#include <optional>

namespace twk::files {

struct Digest {
    quint64 high = 0, low = 0;
    friend bool operator==(const Digest&, const Digest&) = default;
    // 32 hexadecimal digits, and back.
    QString hex() const;
    static std::optional<Digest> fromHex(QStringView text);
};

// Everything the item holds, read whole in bounded memory. Fails (Step::Reading) when any of
// it cannot be read, and with ESTALE when an entry was replaced while it was read.
Expected<Digest> contentDigest(int dir, const std::string& name);

// Files up to this size are read whole, and handed whole to a LeafSink.
inline constexpr qint64 WholeFileLimit = 1 << 20;

// Every entry of an item but its folders, as the content digest meets it: its path relative
// to the item ("" for the item itself), its stat, its own digest (what contentDigest would
// answer for it alone), a file's bytes when it has at most WholeFileLimit of them, and a link's
// target.
struct Leaf {
    const std::string& relative;
    const struct stat& st;
    Digest digest;
    const QByteArray* bytes;
    const std::string* target;
};
using LeafSink = std::function<void(const Leaf& leaf)>;

// The same digest, read once, telling each leaf on the way: the bases of a merge and the
// versions of a script are gathered while the item is read anyway.
Expected<Digest> contentDigest(int dir, const std::string& name, const LeafSink& leaves);

// Copies the regular file name of dir (st: its stat, as found) to the new copyName of copyDir
// as copyItem would, answering what contentDigest would for the copy and telling leaves of
// it: the bytes pass once, for the copy and the digest together.
Expected<Digest> copyFileWithDigest(int dir, const std::string& name, const struct stat& st,
                                    int copyDir, const std::string& copyName,
                                    const LeafSink& leaves);

// What contentDigest answers for a file holding these bytes.
Digest fileBytesDigest(QByteArrayView bytes);

struct Stamp {
    Digest digest;
    qint64 newest = 0;   // the newest modification or change time in it, in nanoseconds
    qint64 taken = 0;    // when the stamp was taken, in nanoseconds
    bool coarse = false; // the file system keeps whole seconds only
    mode_t mode = 0;     // the item's own kind and mode when the stamp was taken (not kept)
    // The same digest without the item's own change time, which moving the item changes: it
    // tells the item again after it was renamed (not kept).
    Digest unmoved = {};

    // Whether the item is known unchanged when its stamp now is `now`.
    bool vouchesFor(const Stamp& now) const;
    // The same for an item that was renamed since.
    bool vouchesForMoved(const Stamp& now) const;
};

// The item's stamp, taken now.
Expected<Stamp> stampOf(int dir, const std::string& name, struct stat* top = nullptr);

} // namespace twk::files

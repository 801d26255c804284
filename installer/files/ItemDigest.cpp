#include "installer/files/ItemDigest.h"

#include "installer/files/ItemWalk.h"
#include "installer/files/Items.h"
#include "support/posix/Io.h"

#include <xxhash.h>
#if defined(__x86_64__)
// The library's own dispatch: the widest vector unit this processor has (SSE2, AVX2,
// AVX-512), chosen at run time. The digest is the same whichever runs.
#include <xxh_x86dispatch.h>
#endif

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <vector>

namespace twk::files {
namespace {

// How long after its newest time a stamp must be taken before it vouches for the item: the
// file system writes times from a clock that ticks in milliseconds, or in whole seconds.
constexpr qint64 FineMargin = 20'000'000;
constexpr qint64 CoarseMargin = 2'000'000'000;

qint64 nanoseconds(const struct timespec& time) {
    return qint64(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

qint64 now() {
    timespec time{};
    ::clock_gettime(CLOCK_REALTIME, &time);
    return nanoseconds(time);
}

// A running XXH3-128.
class Hasher {
public:
    Hasher() : state_(XXH3_createState()) { XXH3_128bits_reset(state_.get()); }
    void add(const void* data, size_t size) { XXH3_128bits_update(state_.get(), data, size); }
    void add(const std::string& bytes) {
        addNumber(bytes.size());
        add(bytes.data(), bytes.size());
    }
    void addNumber(quint64 value) { add(&value, sizeof value); }
    void addByte(char value) { add(&value, 1); }
    Digest digest() const {
        const XXH128_hash_t hash = XXH3_128bits_digest(state_.get());
        return {hash.high64, hash.low64};
    }

private:
    struct Free {
        void operator()(XXH3_state_t* state) const { XXH3_freeState(state); }
    };
    std::unique_ptr<XXH3_state_t, Free> state_;
};

char kindTag(mode_t mode) {
    switch (kindOf(mode)) {
    case ItemKind::File:
        return 'F';
    case ItemKind::Folder:
        return 'D';
    case ItemKind::Link:
        return 'L';
    case ItemKind::Other:
    case ItemKind::Missing:
        break;
    }
    return 'O';
}

// A file's bytes, then how many there were, into each hasher given. With whole, a file of at
// most WholeFileLimit bytes is also kept there, and held says so.
Status addFile(std::initializer_list<Hasher*> hashers, QByteArray* whole, bool* held, int dir,
               const std::string& name, const struct stat& st) {
    const Fd file(::openat(dir, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat opened;
    if (!file.valid() || ::fstat(file.get(), &opened) != 0)
        return Status(Step::Reading, errno);
    if (!sameFile(opened, st))
        return Status(Step::Reading, ESTALE);
    quint64 total = 0;
    auto add = [&](const char* data, size_t size) {
        for (Hasher* hasher : hashers)
            hasher->add(data, size);
        total += size;
    };
    if (whole) {
        whole->clear();
        *held = false;
    }
    if (whole && opened.st_size <= WholeFileLimit) {
        whole->reserve(qsizetype(opened.st_size));
        if (Status read = posix::readAll(file.get(), *whole, WholeFileLimit); !read.ok())
            return read;
        add(whole->constData(), size_t(whole->size()));
        if (whole->size() <= WholeFileLimit) {
            for (Hasher* hasher : hashers)
                hasher->addNumber(total);
            *held = true;
            return {};
        }
        whole->clear(); // it grew meanwhile: the rest is read as for a large file
    }
    char* buffer = passBuffer();
    for (size_t got = TapBufferSize; got == TapBufferSize;) {
        if (Status read = posix::readFully(file.get(), buffer, TapBufferSize, got); !read.ok())
            return read;
        add(buffer, got);
    }
    for (Hasher* hasher : hashers)
        hasher->addNumber(total);
    return {};
}

// What an entry is, as its relative path, kind and executable bit.
void addEntry(Hasher& hasher, const std::string& relative, mode_t mode) {
    hasher.add(relative);
    hasher.addByte(kindTag(mode));
    if (!relative.empty()) // the item's own mode is not its content
        hasher.addByte((mode & S_IXUSR) ? 'x' : '-');
}

} // namespace

QString Digest::hex() const {
    return QStringLiteral("%1%2")
        .arg(high, 16, 16, QLatin1Char('0'))
        .arg(low, 16, 16, QLatin1Char('0'));
}

std::optional<Digest> Digest::fromHex(QStringView text) {
    bool highOk = false, lowOk = false;
    if (text.size() != 32)
        return std::nullopt;
    const Digest digest{text.left(16).toULongLong(&highOk, 16),
                        text.mid(16).toULongLong(&lowOk, 16)};
    return highOk && lowOk ? std::optional(digest) : std::nullopt;
}

Expected<Digest> contentDigest(int dir, const std::string& name) {
    return contentDigest(dir, name, {});
}

Expected<Digest> contentDigest(int dir, const std::string& name, const LeafSink& leaves) {
    Hasher hasher;
    QByteArray whole;
    bool held = false;
    const Status walked = walkItem(
        dir, name,
        [&](int folder, const std::string& entry, const std::string& relative,
            const struct stat& st) -> Status {
            addEntry(hasher, relative, st.st_mode);
            if (S_ISDIR(st.st_mode))
                return {};
            // A leaf's own digest is the one it would have as an item of its own.
            Hasher leaf;
            addEntry(leaf, {}, st.st_mode);
            std::string target;
            if (S_ISREG(st.st_mode)) {
                if (!leaves)
                    return addFile({&hasher}, nullptr, nullptr, folder, entry, st);
                if (Status added = addFile({&hasher, &leaf}, &whole, &held, folder, entry, st);
                    !added.ok())
                    return added;
            } else if (S_ISLNK(st.st_mode)) {
                auto read = readLink(folder, entry, st);
                if (!read.ok())
                    return read.status();
                target = std::move(*read);
                hasher.add(target);
                leaf.add(target);
            }
            if (leaves)
                leaves({relative, st, leaf.digest(), S_ISREG(st.st_mode) && held ? &whole : nullptr,
                        &target});
            return {};
        });
    if (!walked.ok())
        return walked;
    return hasher.digest();
}

Expected<Digest> copyFileWithDigest(int dir, const std::string& name, const struct stat& st,
                                    int copyDir, const std::string& copyName,
                                    const LeafSink& leaves) {
    Hasher hasher;
    addEntry(hasher, {}, st.st_mode);
    QByteArray whole;
    bool held = st.st_size <= WholeFileLimit; // while the bytes so far fit
    if (held)
        whole.reserve(qsizetype(st.st_size));
    quint64 total = 0;
    const Status copied =
        copyFileTapped(dir, name, st, copyDir, copyName, [&](const char* data, size_t size) {
            hasher.add(data, size);
            total += size;
            held = held && total <= quint64(WholeFileLimit);
            if (held)
                whole.append(data, qsizetype(size));
        });
    if (!copied.ok())
        return copied;
    hasher.addNumber(total);
    const Digest digest = hasher.digest();
    if (leaves) {
        const std::string noTarget;
        leaves({{}, st, digest, held ? &whole : nullptr, &noTarget});
    }
    return digest;
}

Digest fileBytesDigest(QByteArrayView bytes) {
    Hasher hasher;
    addEntry(hasher, {}, S_IFREG);
    hasher.add(bytes.data(), size_t(bytes.size()));
    hasher.addNumber(quint64(bytes.size()));
    return hasher.digest();
}

namespace {

// What a stamp hashes, gathered first and hashed in one go: the same bytes a running hash of
// each entry's relative path and fields would see, without a hash state per stamp.
class StampBytes {
public:
    void addEntry(const std::string& relative, const struct stat& st, bool withChangeTime) {
        const quint64 size = relative.size();
        bytes_.append(reinterpret_cast<const char*>(&size), sizeof size);
        bytes_.append(relative);
        const quint64 fields[] = {quint64(st.st_dev),
                                  quint64(st.st_ino),
                                  quint64(st.st_mode),
                                  quint64(st.st_size),
                                  quint64(nanoseconds(st.st_mtim)),
                                  quint64(nanoseconds(st.st_ctim))};
        bytes_.append(reinterpret_cast<const char*>(fields),
                      sizeof fields - (withChangeTime ? 0 : sizeof(quint64)));
    }
    Digest digest() const {
        const XXH128_hash_t hash = XXH3_128bits(bytes_.data(), bytes_.size());
        return {hash.high64, hash.low64};
    }

private:
    std::string bytes_;
};

} // namespace

Expected<Stamp> stampOf(int dir, const std::string& name, struct stat* top) {
    StampBytes all, unmoved;
    Stamp stamp;
    bool wholeSeconds = true;
    const Status walked =
        walkItem(dir, name,
                 [&](int, const std::string&, const std::string& relative, const struct stat& st) {
                     all.addEntry(relative, st, true);
                     // Moving the item changes its own change time only.
                     unmoved.addEntry(relative, st, !relative.empty());
                     if (relative.empty())
                         stamp.mode = st.st_mode;
                     if (relative.empty() && top)
                         *top = st;
                     stamp.newest =
                         std::max({stamp.newest, nanoseconds(st.st_mtim), nanoseconds(st.st_ctim)});
                     wholeSeconds =
                         wholeSeconds && st.st_mtim.tv_nsec == 0 && st.st_ctim.tv_nsec == 0;
                     return Status();
                 });
    if (!walked.ok())
        return walked;
    stamp.digest = all.digest();
    stamp.unmoved = unmoved.digest();
    stamp.taken = now();
    stamp.coarse = wholeSeconds;
    return stamp;
}

bool Stamp::vouchesFor(const Stamp& current) const {
    const qint64 margin = coarse ? CoarseMargin : FineMargin;
    return digest == current.digest && taken - newest >= margin;
}

bool Stamp::vouchesForMoved(const Stamp& current) const {
    const qint64 margin = coarse ? CoarseMargin : FineMargin;
    return unmoved == current.unmoved && taken - newest >= margin;
}

} // namespace twk::files

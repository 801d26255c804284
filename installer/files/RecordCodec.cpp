#include "installer/files/RecordCodec.h"

#include <QCborArray>
#include <QCborStreamReader>
#include <QCborValue>

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

namespace twk::files {
namespace {

constexpr qint64 FormatVersion = 1;

// An entry's members, by number: compact, and read without looking up names.
enum Member : qint64 {
    NameMember = 0,
    ContentMember = 1,
    InstalledMember = 2,
    SourceMember = 3,
    FilesMember = 4, // each leaf's path (bytes) and digest; the texts among them are the bases
    PendingMember = 5,
};

// A digest is two integers (its halves' bits as signed numbers): read with no allocation.
void appendDigest(QCborArray& array, const Digest& digest) {
    array.append(qint64(digest.high));
    array.append(qint64(digest.low));
}

QCborArray stampCbor(const Stamp& stamp) {
    QCborArray array;
    appendDigest(array, stamp.digest);
    array.append(stamp.newest);
    array.append(stamp.taken);
    array.append(stamp.coarse);
    return array;
}

QCborArray contentCbor(const Digest& digest) {
    QCborArray array;
    appendDigest(array, digest);
    return array;
}

QCborMap entryCbor(const RecordEntry& entry) {
    QCborMap map = entry.unknown;
    map.insert(NameMember, entry.name);
    map.insert(ContentMember, contentCbor(entry.content));
    map.insert(InstalledMember, stampCbor(entry.installed));
    map.insert(SourceMember, stampCbor(entry.source));
    if (!entry.files.empty()) {
        QCborMap files;
        for (const auto& [path, digest] : entry.files)
            files.insert(QCborValue(QByteArray::fromStdString(path)), contentCbor(digest));
        map.insert(FilesMember, files);
    }
    if (entry.pending)
        map.insert(PendingMember, contentCbor(*entry.pending));
    return map;
}

const QString VersionKey = QStringLiteral("version");
const QString ScriptsKey = QStringLiteral("scripts");

// The parts of an entry, read as they stream by (one small allocation each at most); a part
// of no known kind is kept whole.
std::optional<QByteArray> readBytes(QCborStreamReader& reader) {
    if (!reader.isByteArray())
        return std::nullopt;
    QByteArray bytes;
    for (;;) {
        const qsizetype at = bytes.size();
        bytes.resize(at + std::max<qsizetype>(reader.currentStringChunkSize(), 0));
        const auto chunk = reader.readStringChunk(bytes.data() + at, bytes.size() - at);
        if (chunk.status == QCborStreamReader::EndOfString)
            return bytes;
        if (chunk.status != QCborStreamReader::Ok || chunk.data != bytes.size() - at)
            return std::nullopt;
    }
}

std::optional<qint64> readInteger(QCborStreamReader& reader) {
    if (!reader.isInteger())
        return std::nullopt;
    const qint64 value = reader.toInteger();
    reader.next();
    return value;
}

std::optional<Digest> readDigest(QCborStreamReader& reader) {
    const auto high = readInteger(reader);
    const auto low = readInteger(reader);
    if (!high || !low)
        return std::nullopt;
    return Digest{quint64(*high), quint64(*low)};
}

// A container's remaining elements, skipped, and the container left.
bool leave(QCborStreamReader& reader) {
    while (reader.hasNext() && reader.next()) {
    }
    return reader.leaveContainer();
}

// Whether what was just read came whole: a value cut short by damage is never stored (a map
// holding one fails at the next use).
bool readWhole(QCborStreamReader& reader) {
    return reader.lastError() == QCborError::NoError;
}

// Whether a value kept for a newer version can be written back as it was read: one the reader
// could not make sense of (a date tag on a number, say) is damage, not another version's.
bool writable(const QCborValue& value) {
    const QByteArray bytes = value.toCbor();
    QCborParserError error;
    const QCborValue back = QCborValue::fromCbor(bytes, &error);
    return error.error == QCborError::NoError && back.toCbor() == bytes;
}

// Whether the members kept for a newer version stay apart once written back: two keys that
// differ only in how they were encoded (two NaNs, say) would become one, and a value be lost.
bool keysStayApart(const QCborMap& kept) {
    if (kept.isEmpty())
        return true;
    // Read back as the readers read maps: key by key, a key met again replacing the first.
    const QCborMap back = QCborValue::fromCbor(kept.toCborValue().toCbor()).toMap();
    QCborMap reread;
    for (auto it = back.cbegin(); it != back.cend(); ++it)
        reread.insert(it.key(), it.value());
    return reread.size() == kept.size();
}

bool readStamp(QCborStreamReader& reader, Stamp& stamp) {
    if (!reader.isArray() || !reader.enterContainer())
        return false;
    const auto digest = readDigest(reader);
    const auto newest = readInteger(reader);
    const auto taken = readInteger(reader);
    if (!digest || !newest || !taken)
        return false;
    stamp = {*digest, *newest, *taken, reader.isTrue()};
    return leave(reader);
}

bool readContent(QCborStreamReader& reader, Digest& content) {
    if (!reader.isArray() || !reader.enterContainer())
        return false;
    const auto digest = readDigest(reader);
    content = digest.value_or(Digest());
    return leave(reader) && digest;
}

// Written by a version that kept no bases: none.
bool readFiles(QCborStreamReader& reader, BaseFiles& files) {
    if (!reader.isMap() || !reader.enterContainer())
        return false;
    while (reader.hasNext() && reader.lastError() == QCborError::NoError) {
        const auto path = readBytes(reader);
        Digest digest;
        if (!path || !readContent(reader, digest))
            return false;
        files[path->toStdString()] = digest;
    }
    return reader.leaveContainer();
}

std::optional<RecordEntry> readEntry(QCborStreamReader& reader) {
    if (!reader.isMap() || !reader.enterContainer())
        return std::nullopt;
    RecordEntry entry{{}, {}, {}, {}};
    bool content = false, installed = false, source = false, files = true, pending = true;
    while (reader.hasNext() && reader.lastError() == QCborError::NoError) {
        const std::optional<qint64> member = readInteger(reader);
        if (member == NameMember) {
            entry.name = readBytes(reader).value_or(QByteArray());
        } else if (member == ContentMember) {
            content = readContent(reader, entry.content);
        } else if (member == InstalledMember) {
            installed = readStamp(reader, entry.installed);
        } else if (member == SourceMember) {
            source = readStamp(reader, entry.source);
        } else if (member == FilesMember) {
            files = readFiles(reader, entry.files);
        } else if (member == PendingMember) {
            entry.pending.emplace();
            pending = readContent(reader, *entry.pending);
        } else {
            const QCborValue key = member ? QCborValue(*member) : QCborValue::fromCbor(reader);
            const QCborValue value = QCborValue::fromCbor(reader);
            if (!readWhole(reader) || !writable(key) || !writable(value))
                return std::nullopt;
            entry.unknown.insert(key, value);
        }
    }
    if (!reader.leaveContainer() || entry.name.isEmpty() || !content || !installed || !source ||
        !files || !pending || !keysStayApart(entry.unknown))
        return std::nullopt;
    return entry;
}

} // namespace

namespace {

// The quick reader: definite lengths, the types this version writes, nothing more.
class QuickReader {
public:
    explicit QuickReader(QByteArrayView bytes)
        : at_(reinterpret_cast<const uchar*>(bytes.data())), end_(at_ + bytes.size()) {}

    bool atEnd() const { return at_ == end_; }

    // An item's head: its major type and its argument (a value, or a length).
    bool head(int major, quint64& argument) {
        if (at_ == end_ || (*at_ >> 5) != major)
            return false;
        const int info = *at_++ & 0x1f;
        if (info < 24) {
            argument = quint64(info);
            return true;
        }
        if (info > 27)
            return false; // indefinite lengths and reserved values
        const size_t size = size_t(1) << (info - 24);
        if (size_t(end_ - at_) < size)
            return false;
        argument = 0;
        for (size_t i = 0; i < size; ++i)
            argument = argument << 8 | *at_++;
        return true;
    }
    bool length(int major, quint64 expected) {
        quint64 found = 0;
        return head(major, found) && found == expected;
    }
    // A length that the rest of the bytes could hold, at least one byte per element.
    bool count(int major, quint64& found) {
        return head(major, found) && found <= quint64(end_ - at_);
    }
    bool integer(qint64& value) {
        if (at_ == end_)
            return false;
        const int major = *at_ >> 5;
        quint64 argument = 0;
        if ((major != 0 && major != 1) || !head(major, argument) ||
            argument > quint64(std::numeric_limits<qint64>::max()))
            return false;
        value = major == 0 ? qint64(argument) : -1 - qint64(argument);
        return true;
    }
    bool boolean(bool& value) {
        if (at_ == end_ || (*at_ != 0xf4 && *at_ != 0xf5))
            return false;
        value = *at_++ == 0xf5;
        return true;
    }
    bool bytes(int major, QByteArrayView& value) {
        quint64 size = 0;
        if (!head(major, size) || size > quint64(end_ - at_))
            return false;
        value = QByteArrayView(at_, qsizetype(size));
        at_ += size;
        return true;
    }
    bool digest(Digest& value) {
        qint64 high = 0, low = 0;
        if (!length(4, 2) || !integer(high) || !integer(low))
            return false;
        value = {quint64(high), quint64(low)};
        return true;
    }
    bool stamp(Stamp& value) {
        Stamp read;
        qint64 high = 0, low = 0;
        if (!length(4, 5) || !integer(high) || !integer(low) || !integer(read.newest) ||
            !integer(read.taken) || !boolean(read.coarse))
            return false;
        read.digest = {quint64(high), quint64(low)};
        value = read;
        return true;
    }
    bool files(BaseFiles& value) {
        quint64 pairs = 0;
        if (!count(5, pairs))
            return false;
        for (quint64 i = 0; i < pairs; ++i) {
            QByteArrayView path;
            Digest digest;
            if (!bytes(2, path) || !this->digest(digest))
                return false;
            value[std::string(path.data(), size_t(path.size()))] = digest;
        }
        return true;
    }
    bool entry(RecordEntry& value) {
        quint64 members = 0;
        if (!count(5, members))
            return false;
        bool content = false, installed = false, source = false;
        unsigned seen = 0; // a member twice is for the general way to settle
        for (quint64 i = 0; i < members; ++i) {
            qint64 member = -1;
            QByteArrayView name;
            if (!integer(member) || member < 0 || member > PendingMember || (seen & (1u << member)))
                return false; // a member of a newer version: the general way keeps it
            seen |= 1u << member;
            bool read = false;
            switch (member) {
            case NameMember:
                read = bytes(2, name);
                value.name = name.toByteArray();
                break;
            case ContentMember:
                read = content = digest(value.content);
                break;
            case InstalledMember:
                read = installed = stamp(value.installed);
                break;
            case SourceMember:
                read = source = stamp(value.source);
                break;
            case FilesMember:
                read = files(value.files);
                break;
            case PendingMember:
                value.pending.emplace();
                read = digest(*value.pending);
                break;
            default:
                return false;
            }
            if (!read)
                return false;
        }
        return !value.name.isEmpty() && content && installed && source;
    }

    // Whether the rest is exactly one CBOR item, however encoded, in which every length fits
    // in the bytes left, every map has whole pairs, a string in chunks has only chunks of its
    // own kind, and nothing nests too deep: a general reader given it then reserves no more
    // room than the bytes could fill, and what it keeps can be written back.
    bool wellFormed() {
        constexpr quint64 Open = std::numeric_limits<quint64>::max(); // ended by a break
        constexpr size_t MaxDepth = 256;
        struct Frame {
            quint64 left; // items still to come, or Open
            quint64 seen; // items so far
            int major;    // of the container
        };
        std::vector<Frame> frames{{1, 0, 4}}; // the whole as an array of one
        while (!frames.empty()) {
            Frame& frame = frames.back();
            if (frame.left == 0) {
                frames.pop_back();
                continue;
            }
            if (at_ == end_)
                return false;
            if (*at_ == 0xff) {
                if (frame.left != Open || (frame.major == 5 && frame.seen % 2))
                    return false;
                ++at_;
                frames.pop_back();
                continue;
            }
            if (frame.left != Open)
                --frame.left;
            ++frame.seen;
            const int major = *at_ >> 5;
            const bool indefinite = (*at_ & 0x1f) == 31;
            if ((frame.major == 2 || frame.major == 3) && (major != frame.major || indefinite))
                return false; // a chunk of another kind
            if (indefinite) {
                if (major < 2 || major > 5)
                    return false;
                ++at_;
                frames.push_back({Open, 0, major});
            } else if (quint64 argument = 0; !head(major, argument)) {
                return false;
            } else if (const quint64 rest = quint64(end_ - at_); major == 2 || major == 3) {
                if (argument > rest)
                    return false;
                at_ += argument;
            } else if (major == 4 || major == 5) {
                if (argument > rest / (major == 5 ? 2 : 1))
                    return false;
                frames.push_back({major == 5 ? argument * 2 : argument, 0, major});
            } else if (major == 6) {
                frames.push_back({1, 0, 6}); // a tag, then the item it tags
            }
            if (frames.size() > MaxDepth)
                return false;
        }
        return atEnd();
    }

private:
    const uchar* at_;
    const uchar* end_;
};

} // namespace

std::optional<RecordFile> decodeRecordStreaming(const QByteArray& bytes, bool& newer) {
    if (!QuickReader(bytes).wellFormed())
        return std::nullopt;
    QCborStreamReader reader(bytes);
    RecordFile file;
    bool scripts = false;
    if (!reader.isMap() || !reader.enterContainer())
        return std::nullopt;
    while (reader.hasNext() && reader.lastError() == QCborError::NoError) {
        const QCborValue key = QCborValue::fromCbor(reader);
        if (!readWhole(reader))
            return std::nullopt;
        if (key.toString() != ScriptsKey) {
            const QCborValue value = QCborValue::fromCbor(reader);
            if (!readWhole(reader) || !writable(key) || !writable(value))
                return std::nullopt;
            file.others.insert(key, value);
            continue;
        }
        if (!reader.isArray() || !reader.enterContainer())
            return std::nullopt;
        while (reader.hasNext()) {
            auto entry = readEntry(reader);
            if (!entry)
                return std::nullopt;
            QByteArray name = entry->name;
            file.entries.emplace(std::move(name), std::move(*entry));
        }
        scripts = reader.leaveContainer();
    }
    newer = file.others.value(VersionKey).toInteger(FormatVersion) > FormatVersion;
    if (!reader.leaveContainer() || reader.lastError() != QCborError::NoError || newer ||
        !scripts || !keysStayApart(file.others))
        return std::nullopt;
    return file;
}

namespace {

// The writer of records as this version makes them (nothing kept for a newer version): the
// bytes Qt's CBOR values would give, written straight, without a tree of values per entry.
class QuickWriter {
public:
    QByteArray bytes;

    void head(int major, quint64 argument) {
        const auto type = char(major << 5);
        if (argument < 24) {
            bytes.append(char(type | char(argument)));
            return;
        }
        const int size = argument <= 0xff         ? 1
                         : argument <= 0xffff     ? 2
                         : argument <= 0xffffffff ? 4
                                                  : 8;
        bytes.append(char(type | char(24 + (size == 1 ? 0 : size == 2 ? 1 : size == 4 ? 2 : 3))));
        for (int shift = (size - 1) * 8; shift >= 0; shift -= 8)
            bytes.append(char(argument >> shift));
    }
    void integer(qint64 value) {
        if (value >= 0)
            head(0, quint64(value));
        else
            head(1, quint64(-1 - value));
    }
    void byteString(QByteArrayView value) {
        head(2, quint64(value.size()));
        bytes.append(value);
    }
    void textString(QByteArrayView value) {
        head(3, quint64(value.size()));
        bytes.append(value);
    }
    void digest(const Digest& value) {
        head(4, 2);
        integer(qint64(value.high));
        integer(qint64(value.low));
    }
    void stamp(const Stamp& value) {
        head(4, 5);
        integer(qint64(value.digest.high));
        integer(qint64(value.digest.low));
        integer(value.newest);
        integer(value.taken);
        bytes.append(value.coarse ? '\xf5' : '\xf4');
    }
    void entry(const RecordEntry& value) {
        head(5, 4 + (value.files.empty() ? 0 : 1) + (value.pending ? 1 : 0));
        integer(NameMember);
        byteString(value.name);
        integer(ContentMember);
        digest(value.content);
        integer(InstalledMember);
        stamp(value.installed);
        integer(SourceMember);
        stamp(value.source);
        if (!value.files.empty()) {
            integer(FilesMember);
            head(5, value.files.size());
            for (const auto& [path, leaf] : value.files) {
                byteString(QByteArrayView(path.data(), qsizetype(path.size())));
                digest(leaf);
            }
        }
        if (value.pending) {
            integer(PendingMember);
            digest(*value.pending);
        }
    }
};

// Whether the quick writer writes the file as the general one would: nothing kept for a
// newer version but the version itself.
bool plain(const RecordFile& file) {
    if (file.others.size() > 1 || (file.others.size() == 1 && !file.others.contains(VersionKey)))
        return false;
    return std::all_of(file.entries.cbegin(), file.entries.cend(),
                       [](const RecordEntry& entry) { return entry.unknown.isEmpty(); });
}

QList<QByteArray> sortedNames(const RecordFile& file) {
    QList<QByteArray> names = file.entries.keys();
    std::sort(names.begin(), names.end()); // the same record, the same bytes
    return names;
}

} // namespace

QByteArray encodeRecord(const RecordFile& file) {
    if (!plain(file))
        return encodeRecordGenerally(file);
    QuickWriter writer;
    writer.bytes.reserve(qsizetype(file.entries.size()) * 160 + 32);
    writer.head(5, 2);
    writer.textString("version");
    writer.integer(FormatVersion);
    writer.textString("scripts");
    writer.head(4, quint64(file.entries.size()));
    for (const QByteArray& name : sortedNames(file))
        writer.entry(*file.entries.constFind(name));
    return writer.bytes;
}

QByteArray encodeRecordGenerally(const RecordFile& file) {
    QCborMap map = file.others;
    QCborArray scripts;
    for (const QByteArray& name : sortedNames(file))
        scripts.append(entryCbor(file.entries.value(name)));
    map.insert(VersionKey, FormatVersion);
    map.insert(ScriptsKey, scripts);
    return map.toCborValue().toCbor();
}

std::optional<RecordFile> decodeRecordQuickly(QByteArrayView bytes) {
    QuickReader reader(bytes);
    RecordFile file;
    quint64 keys = 0;
    bool version = false, scripts = false;
    if (!reader.count(5, keys))
        return std::nullopt;
    for (quint64 i = 0; i < keys; ++i) {
        QByteArrayView key;
        if (!reader.bytes(3, key))
            return std::nullopt;
        if (key == QByteArrayView("version") && !version) {
            qint64 value = 0;
            if (!reader.integer(value) || value != FormatVersion)
                return std::nullopt;
            file.others.insert(VersionKey, value);
            version = true;
        } else if (key == QByteArrayView("scripts") && !scripts) {
            quint64 count = 0;
            if (!reader.count(4, count))
                return std::nullopt;
            file.entries.reserve(qsizetype(count));
            for (quint64 j = 0; j < count; ++j) {
                RecordEntry entry{{}, {}, {}, {}};
                if (!reader.entry(entry))
                    return std::nullopt;
                QByteArray name = entry.name;
                file.entries.emplace(std::move(name), std::move(entry)); // moved, not copied
            }
            scripts = true;
        } else {
            return std::nullopt;
        }
    }
    if (!scripts || !reader.atEnd())
        return std::nullopt;
    return file;
}

std::optional<RecordFile> decodeRecord(const QByteArray& bytes, bool& newer) {
    newer = false;
    if (auto file = decodeRecordQuickly(bytes))
        return file;
    return decodeRecordStreaming(bytes, newer);
}

} // namespace twk::files

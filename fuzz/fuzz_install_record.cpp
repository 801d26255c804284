// The install record's two readers against any bytes: the quick one, which reads only what
// this version writes, never reads a record otherwise than the general one does; and any
// record either reads comes back the same once written again, in the same bytes whichever
// way it is written.

#include "installer/files/RecordCodec.h"

#include <QCborValue>

#include <cstdlib>

using namespace twk::files;

namespace {

void check(bool holds) {
    if (!holds)
        std::abort();
}

// Compared as bytes: a NaN kept for a newer version equals itself.
bool same(const QCborMap& a, const QCborMap& b) {
    return a.toCborValue().toCbor() == b.toCborValue().toCbor();
}

// What the record keeps of a stamp.
bool same(const Stamp& a, const Stamp& b) {
    return a.digest == b.digest && a.newest == b.newest && a.taken == b.taken &&
           a.coarse == b.coarse;
}

bool sameEntries(const RecordFile& a, const RecordFile& b) {
    if (!same(a.others, b.others) || a.entries.size() != b.entries.size())
        return false;
    for (auto it = a.entries.cbegin(); it != a.entries.cend(); ++it) {
        const auto other = b.entries.constFind(it.key());
        if (other == b.entries.cend())
            return false;
        const RecordEntry& x = it.value();
        const RecordEntry& y = other.value();
        if (x.name != y.name || x.content != y.content || !same(x.installed, y.installed) ||
            !same(x.source, y.source) || !same(x.unknown, y.unknown) || x.files != y.files ||
            x.pending != y.pending)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    bool newer = false;
    const auto general = decodeRecordStreaming(bytes, newer);
    const auto quick = decodeRecordQuickly(bytes);
    if (quick)
        check(general && sameEntries(*quick, *general));
    if (general) {
        // Written again, it says it is of this version's format, whatever it said before.
        RecordFile expected = *general;
        expected.others.insert(QStringLiteral("version"), 1);
        const QByteArray written = encodeRecord(*general);
        check(written == encodeRecordGenerally(*general)); // written straight or through Qt
        const auto reread = decodeRecord(written, newer);
        check(reread && sameEntries(*reread, expected));
    }
    return 0;
}

#pragma once

// The install record's bytes: a CBOR map of "version" and "scripts", each script a map of
// numbered members (see RecordCodec.cpp). Whatever this version does not know (members,
// keys beside "scripts") is carried through unchanged.

#include "installer/files/BaseStore.h"

#include <QByteArray>
#include <QCborMap>
#include <QHash>

#include <optional>

namespace twk::files {

struct RecordEntry {
    QByteArray name;       // the script's entry name, as bytes
    Digest content;        // what was installed
    Stamp installed;       // the installed copy, just after it was put in place
    Stamp source;          // Tarnwick's copy, as it was copied
    QCborMap unknown = {}; // members of a newer version, written back as they came
    BaseFiles files = {};  // what was installed, leaf by leaf; its texts are the bases
    // What a run is putting in place and has not recorded yet: should it end before it does,
    // a copy holding this is that run's, not the user's.
    std::optional<Digest> pending = {};
};

// The record's file as it is now: its entries, and what else its map holds.
struct RecordFile {
    QHash<QByteArray, RecordEntry> entries;
    QCborMap others;
};

// The same record, the same bytes: entries in the order of their names. A record holding
// nothing of a newer version is written straight; one that does goes the general way.
QByteArray encodeRecord(const RecordFile& file);
// The general way alone, through Qt's CBOR values: the same bytes for any record.
QByteArray encodeRecordGenerally(const RecordFile& file);

// Absent when the bytes are no record; newer then tells a record of a newer version's format.
std::optional<RecordFile> decodeRecord(const QByteArray& bytes, bool& newer);

// The general way alone: a streaming CBOR reader that keeps what it does not know.
std::optional<RecordFile> decodeRecordStreaming(const QByteArray& bytes, bool& newer);

// The record exactly as this version writes it, read in one pass over the bytes with nothing
// but the entries allocated; absent for anything else (damage, a newer version's members,
// another writer's encoding), which decodeRecord then reads the general way. It never
// accepts what the general way would read otherwise: a fuzzer holds the two together.
std::optional<RecordFile> decodeRecordQuickly(QByteArrayView bytes);

} // namespace twk::files

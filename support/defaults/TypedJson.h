#pragma once

// The preference file's format: a JSON object whose member "values" maps each key to a typed
// value, {"<kind>": <value>}, so that types survive a round trip exactly: bool, integer and
// unsigned (64-bit, as text), float and double (shortest text that reads back bit for bit),
// string, data (base64), date (UTC, milliseconds), dictionary and array. What this version
// cannot read, a kind a newer version added or a member beside "values", is kept as it was
// and written back unchanged.

#include <QJsonObject>
#include <QJsonValue>
#include <QMetaType>
#include <QVariant>

#include <optional>

namespace twk::defaults {

// A value of a kind this version does not know, kept to be written back as it was read.
struct UnknownValue {
    QJsonValue json;
    friend bool operator==(const UnknownValue&, const UnknownValue&) = default;
};

// The typed JSON of a value; Undefined for a value that cannot be stored (an invalid date, an
// object of no storable kind).
QJsonValue encodeValue(const QVariant& value);

// The value of typed JSON. Absent when its shape is wrong (a damaged file); an UnknownValue
// for a kind this version does not know.
std::optional<QVariant> decodeValue(const QJsonValue& json);

// The whole file: the values, and whatever else its object holds.
struct StoreDocument {
    QVariantMap values;
    QJsonObject others;
};

// Absent when the bytes are not such a file; no bytes at all (a new file) are an empty one.
std::optional<StoreDocument> parseStore(const QByteArray& bytes);
QByteArray serializeStore(const StoreDocument& document);

} // namespace twk::defaults

Q_DECLARE_METATYPE(twk::defaults::UnknownValue)

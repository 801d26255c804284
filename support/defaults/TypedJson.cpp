#include "support/defaults/TypedJson.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>

#include <charconv>

namespace twk::defaults {
namespace {

constexpr QLatin1StringView ValuesKey("values");

template <typename F> QString floatText(F value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

template <typename F> std::optional<F> parseFloat(const QString& text) {
    const QByteArray latin = text.toLatin1();
    F value{};
    const char* begin = latin.constData();
    const char* end = begin + latin.size();
    // from_chars does not take a leading "-" for nan; handle the sign ourselves.
    bool negative = false;
    if (begin != end && *begin == '-') {
        negative = true;
        ++begin;
    }
    const auto result = std::from_chars(begin, end, value);
    if (result.ec != std::errc() || result.ptr != end)
        return std::nullopt;
    return negative ? -value : value;
}

QJsonObject tagged(const char* tag, const QJsonValue& value) {
    return QJsonObject{{QLatin1String(tag), value}};
}

QJsonObject encodeMap(const QVariantMap& map) {
    QJsonObject object;
    for (auto it = map.begin(); it != map.end(); ++it) {
        const QJsonValue value = encodeValue(it.value());
        if (!value.isUndefined())
            object.insert(it.key(), value);
    }
    return object;
}

std::optional<QVariant> decodeMap(const QJsonObject& entries) {
    QVariantMap map;
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        const auto item = decodeValue(it.value());
        if (!item)
            return std::nullopt;
        map.insert(it.key(), *item);
    }
    return QVariant(map);
}

std::optional<QVariant> decodeList(const QJsonArray& elements) {
    QVariantList list;
    for (const QJsonValue& element : elements) {
        const auto item = decodeValue(element);
        if (!item)
            return std::nullopt;
        list.append(*item);
    }
    return QVariant(list);
}

template <typename T> std::optional<QVariant> when(bool ok, T value) {
    return ok ? std::optional<QVariant>(QVariant::fromValue(value)) : std::nullopt;
}

} // namespace

QJsonValue encodeValue(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
        return tagged("bool", value.toBool());
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::SChar:
        return tagged("integer", QString::number(value.toLongLong()));
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UShort:
    case QMetaType::UChar:
        return tagged("unsigned", QString::number(value.toULongLong()));
    case QMetaType::Float:
        return tagged("float", floatText(value.toFloat()));
    case QMetaType::Double:
        return tagged("double", floatText(value.toDouble()));
    case QMetaType::QString:
        return tagged("string", value.toString());
    case QMetaType::QByteArray:
        return tagged("data", QString::fromLatin1(value.toByteArray().toBase64()));
    case QMetaType::QDateTime: {
        const QDateTime date = value.toDateTime();
        if (!date.isValid())
            return QJsonValue(QJsonValue::Undefined);
        return tagged("date", date.toUTC().toString(Qt::ISODateWithMs));
    }
    case QMetaType::QVariantMap:
        return tagged("dictionary", encodeMap(value.toMap()));
    case QMetaType::QVariantHash: {
        QVariantMap map;
        const QVariantHash hash = value.toHash();
        for (auto it = hash.begin(); it != hash.end(); ++it)
            map.insert(it.key(), it.value());
        return tagged("dictionary", encodeMap(map));
    }
    case QMetaType::QVariantList:
    case QMetaType::QStringList: {
        QJsonArray array;
        for (const QVariant& item : value.toList()) {
            const QJsonValue encoded = encodeValue(item);
            if (!encoded.isUndefined())
                array.append(encoded);
        }
        return tagged("array", array);
    }
    default:
        if (value.metaType() == QMetaType::fromType<UnknownValue>())
            return value.value<UnknownValue>().json;
        if (value.canConvert<QString>())
            return tagged("string", value.toString());
        return QJsonValue(QJsonValue::Undefined);
    }
}

std::optional<QVariant> decodeValue(const QJsonValue& json) {
    if (!json.isObject() || json.toObject().size() != 1)
        return std::nullopt;
    const QJsonObject object = json.toObject();
    const QString tag = object.begin().key();
    const QJsonValue v = object.begin().value();
    const QString text = v.toString();
    bool ok = false;
    if (tag == u"bool")
        return when(v.isBool(), v.toBool());
    if (tag == u"integer") {
        const qint64 n = text.toLongLong(&ok);
        return when(v.isString() && ok, n);
    }
    if (tag == u"unsigned") {
        const quint64 n = text.toULongLong(&ok);
        return when(v.isString() && ok, n);
    }
    if (tag == u"float") {
        const auto f = parseFloat<float>(text);
        return when(v.isString() && f, f.value_or(0));
    }
    if (tag == u"double") {
        const auto d = parseFloat<double>(text);
        return when(v.isString() && d, d.value_or(0));
    }
    if (tag == u"string")
        return when(v.isString(), text);
    if (tag == u"data")
        return when(v.isString(), QByteArray::fromBase64(text.toLatin1()));
    if (tag == u"date") {
        const QDateTime date = QDateTime::fromString(text, Qt::ISODateWithMs);
        return when(v.isString() && date.isValid(), date);
    }
    if (tag == u"dictionary")
        return v.isObject() ? decodeMap(v.toObject()) : std::nullopt;
    if (tag == u"array")
        return v.isArray() ? decodeList(v.toArray()) : std::nullopt;
    return QVariant::fromValue(UnknownValue{json}); // a kind of a newer version's
}

std::optional<StoreDocument> parseStore(const QByteArray& bytes) {
    StoreDocument document;
    if (bytes.trimmed().isEmpty())
        return document; // a new, empty file
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !json.isObject())
        return std::nullopt;
    document.others = json.object();
    const QJsonValue values = document.others.take(ValuesKey);
    if (!values.isObject())
        return std::nullopt;
    const auto decoded = decodeMap(values.toObject());
    if (!decoded)
        return std::nullopt;
    document.values = decoded->toMap();
    return document;
}

QByteArray serializeStore(const StoreDocument& document) {
    QJsonObject object = document.others;
    object.insert(ValuesKey, encodeMap(document.values));
    return QJsonDocument(object).toJson(QJsonDocument::Indented);
}

} // namespace twk::defaults

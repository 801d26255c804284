#include "support/defaults/UserDefaults.h"

#include "support/log/SystemLog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QSettings>
#include <QStandardPaths>

#include <charconv>
#include <cmath>

Q_LOGGING_CATEGORY(lcDefaults, "twk.defaults")

namespace twk::defaults {
namespace {

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

QJsonValue encode(const QVariant& value);

QJsonObject encodeMap(const QVariantMap& map) {
    QJsonObject object;
    for (auto it = map.begin(); it != map.end(); ++it) {
        const QJsonValue v = encode(it.value());
        if (!v.isUndefined())
            object.insert(it.key(), v);
    }
    return object;
}

QJsonValue encode(const QVariant& value) {
    auto tagged = [](const char* tag, const QJsonValue& v) {
        return QJsonObject{{QLatin1String(tag), v}};
    };
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
            const QJsonValue v = encode(item);
            if (!v.isUndefined())
                array.append(v);
        }
        return tagged("array", array);
    }
    default:
        if (value.canConvert<QString>())
            return tagged("string", value.toString());
        return QJsonValue(QJsonValue::Undefined);
    }
}

// Decodes one typed value. nullopt means the value's shape is wrong (a damaged file);
// an invalid QVariant means a kind this version does not know, which is skipped.
std::optional<QVariant> decode(const QJsonValue& json) {
    if (!json.isObject())
        return std::nullopt;
    const QJsonObject object = json.toObject();
    if (object.size() != 1)
        return std::nullopt;
    const QString tag = object.begin().key();
    const QJsonValue v = object.begin().value();
    bool ok = false;
    if (tag == u"bool" && v.isBool())
        return QVariant(v.toBool());
    if (tag == u"integer" && v.isString()) {
        const qint64 n = v.toString().toLongLong(&ok);
        return ok ? std::optional<QVariant>(QVariant(n)) : std::nullopt;
    }
    if (tag == u"unsigned" && v.isString()) {
        const quint64 n = v.toString().toULongLong(&ok);
        return ok ? std::optional<QVariant>(QVariant(n)) : std::nullopt;
    }
    if (tag == u"float" && v.isString()) {
        const auto f = parseFloat<float>(v.toString());
        return f ? std::optional<QVariant>(QVariant(*f)) : std::nullopt;
    }
    if (tag == u"double" && v.isString()) {
        const auto d = parseFloat<double>(v.toString());
        return d ? std::optional<QVariant>(QVariant(*d)) : std::nullopt;
    }
    if (tag == u"string" && v.isString())
        return QVariant(v.toString());
    if (tag == u"data" && v.isString())
        return QVariant(QByteArray::fromBase64(v.toString().toLatin1()));
    if (tag == u"date" && v.isString()) {
        const QDateTime date = QDateTime::fromString(v.toString(), Qt::ISODateWithMs);
        return date.isValid() ? std::optional<QVariant>(QVariant(date)) : std::nullopt;
    }
    if (tag == u"dictionary" && v.isObject()) {
        QVariantMap map;
        const QJsonObject entries = v.toObject();
        for (auto it = entries.begin(); it != entries.end(); ++it) {
            const auto item = decode(it.value());
            if (!item)
                return std::nullopt;
            if (item->isValid())
                map.insert(it.key(), *item);
        }
        return QVariant(map);
    }
    if (tag == u"array" && v.isArray()) {
        QVariantList list;
        for (const QJsonValue& element : v.toArray()) {
            const auto item = decode(element);
            if (!item)
                return std::nullopt;
            if (item->isValid())
                list.append(*item);
        }
        return QVariant(list);
    }
    if (tag == u"bool" || tag == u"integer" || tag == u"unsigned" || tag == u"float" ||
        tag == u"double" || tag == u"string" || tag == u"data" || tag == u"date" ||
        tag == u"dictionary" || tag == u"array")
        return std::nullopt; // a known kind with the wrong shape
    return QVariant();
}

constexpr QLatin1StringView ValuesKey("values");

bool parseStore(const QByteArray& bytes, QSettings::SettingsMap& map) {
    if (bytes.trimmed().isEmpty())
        return true; // a new, empty file
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return false;
    const QJsonValue values = document.object().value(ValuesKey);
    if (!values.isObject())
        return false;
    const QJsonObject entries = values.toObject();
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        const auto value = decode(it.value());
        if (!value)
            return false;
        if (value->isValid())
            map.insert(it.key(), *value);
    }
    return true;
}

bool readTyped(QIODevice& device, QSettings::SettingsMap& map) {
    return parseStore(device.readAll(), map);
}

bool writeTyped(QIODevice& device, const QSettings::SettingsMap& map) {
    QJsonObject entries;
    for (auto it = map.begin(); it != map.end(); ++it) {
        const QJsonValue v = encode(it.value());
        if (!v.isUndefined())
            entries.insert(it.key(), v);
    }
    const QJsonObject root{{QStringLiteral("values"), entries}};
    const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);
    return device.write(bytes) == bytes.size();
}

// A damaged store is moved aside before QSettings could overwrite it.
void setAsideIfDamaged(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return;
    QSettings::SettingsMap ignored;
    if (file.open(QIODevice::ReadOnly) && parseStore(file.readAll(), ignored))
        return;
    file.close();
    const QString aside =
        path + QStringLiteral(".damaged-") +
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    if (QFile::rename(path, aside)) {
        log::systemLog(QStringLiteral("preference file %1 could not be read; it was moved to "
                                      "%2 and preferences start empty")
                           .arg(path, aside));
    } else {
        log::systemLog(QStringLiteral("preference file %1 could not be read and could not be "
                                      "moved aside; preferences start empty")
                           .arg(path));
    }
}

} // namespace

QSettings::Format typedPreferenceFormat() {
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("conf"), readTyped, writeTyped);
    return format;
}

QDateTime distantPast() {
    return QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC);
}

UserDefaults::UserDefaults(const QString& filePath, QObject* parent)
    : QObject(parent), path_(filePath) {
    QDir().mkpath(QFileInfo(filePath).absolutePath());
    setAsideIfDamaged(filePath);
    settings_ = std::make_unique<QSettings>(filePath, typedPreferenceFormat());
    settings_->setFallbacksEnabled(false);
}

UserDefaults::~UserDefaults() {
    settings_->sync();
}

QString UserDefaults::standardFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
           QLatin1StringView(ApplicationId) + QStringLiteral(".conf");
}

UserDefaults& UserDefaults::standardUserDefaults() {
    static UserDefaults* standard = new UserDefaults(standardFilePath());
    static const bool flushAtExit = [] {
        std::atexit([] { standard->synchronize(); });
        return true;
    }();
    Q_UNUSED(flushAtExit);
    return *standard;
}

std::optional<QVariant> UserDefaults::objectForKey(const QString& key) const {
    const QVariant value = settings_->value(key);
    if (!value.isValid())
        return std::nullopt;
    return value;
}

void UserDefaults::setObject(const QVariant& value, const QString& forKey) {
    if (!value.isValid()) {
        removeObjectForKey(forKey);
        return;
    }
    settings_->setValue(forKey, value);
    Q_EMIT valueChanged(forKey);
}

bool UserDefaults::boolForKey(const QString& key) const {
    const QVariant value = settings_->value(key);
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return false;
    case QMetaType::Bool:
        return value.toBool();
    case QMetaType::QString: {
        const QString text = value.toString().trimmed();
        if (text.compare(u"yes", Qt::CaseInsensitive) == 0 ||
            text.compare(u"true", Qt::CaseInsensitive) == 0)
            return true;
        return text.toLongLong() != 0;
    }
    default:
        return value.toDouble() != 0.0;
    }
}

void UserDefaults::setBool(bool value, const QString& forKey) {
    setObject(QVariant(value), forKey);
}

float UserDefaults::floatForKey(const QString& key) const {
    const QVariant value = settings_->value(key);
    if (value.typeId() == QMetaType::Float)
        return value.toFloat();
    return value.isValid() ? float(value.toDouble()) : 0.0f;
}

void UserDefaults::setFloat(float value, const QString& forKey) {
    setObject(QVariant(value), forKey);
}

qint64 UserDefaults::integerForKey(const QString& key) const {
    const QVariant value = settings_->value(key);
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return 0;
    case QMetaType::Float:
    case QMetaType::Double: {
        const double d = value.toDouble();
        if (!std::isfinite(d))
            return 0;
        return qint64(std::clamp(d, -9.2233720368547758e18, 9.2233720368547748e18));
    }
    case QMetaType::QString:
        return value.toString().trimmed().toLongLong();
    default:
        return value.toLongLong();
    }
}

void UserDefaults::setInteger(qint64 value, const QString& forKey) {
    setObject(QVariant(value), forKey);
}

void UserDefaults::removeObjectForKey(const QString& key) {
    settings_->remove(key);
    Q_EMIT valueChanged(key);
}

bool UserDefaults::synchronize() {
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

void UserDefaults::removePersistentDomainForName(const QString& name) {
    if (name != QLatin1StringView(ApplicationId))
        return;
    const QStringList keys = settings_->allKeys();
    settings_->clear();
    for (const QString& key : keys)
        Q_EMIT valueChanged(key);
}

QStringList UserDefaults::allKeys() const {
    return settings_->allKeys();
}

} // namespace twk::defaults

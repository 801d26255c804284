#include "support/strings/MessageAttributes.h"

#include "support/strings/Pieces.h"

namespace twk::strings {

qsizetype AttributeMap::indexOf(QStringView key) const {
    if (!index_.isEmpty())
        return index_.value(key.toString(), -1);
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        if (entries_[i].first == key)
            return i;
    }
    return -1;
}

const QString* AttributeMap::find(QStringView key) const {
    const qsizetype i = indexOf(key);
    return i < 0 ? nullptr : &entries_[i].second;
}

QString AttributeMap::value(QStringView key) const {
    const QString* found = find(key);
    return found ? *found : QString();
}

void AttributeMap::insert(QString key, QString value) {
    if (const qsizetype i = indexOf(key); i >= 0) {
        entries_[i].second = std::move(value);
        return;
    }
    if (entries_.isEmpty())
        entries_.reserve(4);
    entries_.append({std::move(key), std::move(value)});
    if (entries_.size() == IndexFrom) {
        for (qsizetype i = 0; i < entries_.size(); ++i)
            index_.insert(entries_[i].first, i);
    } else if (!index_.isEmpty()) {
        index_.insert(entries_.last().first, entries_.size() - 1);
    }
}

QString pathByRemovingParameters(QStringView receiver) {
    const qsizetype question = receiver.indexOf(u'?');
    return (question < 0 ? receiver : receiver.left(question)).toString();
}

namespace {

void readPiece(QStringView piece, bool lowercaseKey, bool lowercaseValue, AttributeMap& map) {
    const qsizetype equals = piece.indexOf(u'=');
    QString value;
    QStringView key = piece;
    if (equals >= 0) {
        if (piece.indexOf(u'=', equals + 1) >= 0)
            return; // two or more "=": not an attribute
        key = piece.left(equals);
        const QStringView raw = piece.mid(equals + 1);
        std::optional<QString> decoded =
            lowercaseValue ? stringByReplacingPercentEscapes(raw.toString().toLower())
                           : stringByReplacingPercentEscapes(raw);
        if (!decoded)
            return; // undecodable escapes: the piece says nothing reliable
        value = std::move(*decoded);
    }
    map.insert(lowercaseKey ? key.toString().toLower() : key.toString(), value);
}

} // namespace

std::optional<AttributeMap> attributesFromMessageWithLowercaseKey(QStringView receiver,
                                                                  bool lowercaseKey,
                                                                  bool lowercaseValue) {
    const qsizetype question = receiver.indexOf(u'?');
    if (question < 0)
        return std::nullopt;
    AttributeMap map;
    const QStringView attributes = receiver.mid(question + 1);
    qsizetype from = 0;
    const qsizetype n = attributes.size();
    for (qsizetype i = 0; i <= n; ++i) {
        if (i == n || attributes[i] == u'&' || attributes[i] == u'?') {
            readPiece(attributes.mid(from, i - from), lowercaseKey, lowercaseValue, map);
            from = i + 1;
        }
    }
    return map;
}

namespace {

bool isUnreservedAscii(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    switch (c) {
    case '-':
    case '_':
    case '.':
    case '!':
    case '~':
    case '*':
    case '\'':
    case '(':
    case ')':
        return true;
    default:
        return false;
    }
}

bool hasLoneSurrogate(QStringView text) {
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate()) {
            if (i + 1 >= n || !text[i + 1].isLowSurrogate())
                return true;
            ++i;
        } else if (c.isLowSurrogate()) {
            return true;
        }
    }
    return false;
}

} // namespace

std::optional<QString> fullyEscapedStringForUrl(QStringView receiver) {
    if (hasLoneSurrogate(receiver))
        return std::nullopt;
    static constexpr char hex[] = "0123456789ABCDEF";
    const QByteArray utf8 = receiver.toUtf8();
    QString out;
    out.reserve(utf8.size() * 3);
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (isUnreservedAscii(c)) {
            out.append(QChar(c));
        } else {
            out.append(u'%');
            out.append(QChar(hex[c >> 4]));
            out.append(QChar(hex[c & 0xF]));
        }
    }
    return out;
}

std::optional<QString> urlStringByAppendingPathComponent(QStringView receiver,
                                                         QStringView component) {
    const qsizetype first = receiver.indexOf(u":/");
    if (first < 0 || receiver.indexOf(u":/", first + 2) >= 0)
        return std::nullopt;
    return receiver.left(first).toString() + QStringLiteral(":/") +
           stringByAppendingPathComponent(receiver.mid(first + 2), component);
}

} // namespace twk::strings

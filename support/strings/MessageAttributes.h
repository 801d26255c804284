#pragma once

// Messages and URL texts: "head?key=value&key2=value2". Used to read install requests.

#include <QHash>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace twk::strings {

// Keys to values, in the order keys first appeared; a stored value is never absent (a key
// without "=" holds ""). Messages hold a handful of attributes, so entries are kept flat;
// an index is built only once a map grows large, so thousands of keys stay fast.
class AttributeMap {
public:
    using Entry = std::pair<QString, QString>;

    // The value stored under the key, or null when no piece stored one.
    const QString* find(QStringView key) const;
    // The value, or the empty text when there is none.
    QString value(QStringView key) const;
    bool contains(QStringView key) const { return find(key) != nullptr; }

    // Stores the value, replacing the value of an equal key.
    void insert(QString key, QString value);

    qsizetype size() const { return entries_.size(); }
    bool isEmpty() const { return entries_.isEmpty(); }
    QList<Entry>::const_iterator begin() const { return entries_.cbegin(); }
    QList<Entry>::const_iterator end() const { return entries_.cend(); }

private:
    qsizetype indexOf(QStringView key) const; // -1 when absent

    static constexpr qsizetype IndexFrom = 16;
    QList<Entry> entries_;
    QHash<QString, qsizetype> index_;
};

// The text before the first "?", or the whole receiver when it holds none.
QString pathByRemovingParameters(QStringView receiver);

// Reads the attributes after the first "?". Pieces are separated by "&" and by any further
// "?"; a piece is key=value (value percent-unescaped as UTF-8) or a key alone (value "").
// A piece with two or more "=" is skipped, as is one whose value cannot be unescaped.
// lowercaseValue lowercases a value before it is unescaped; keys are never unescaped.
// The last piece with a given key wins. Absent (not empty) when the receiver has no "?".
std::optional<AttributeMap>
attributesFromMessageWithLowercaseKey(QStringView receiver, bool lowercaseKey, bool lowercaseValue);

// Percent-escapes every UTF-8 byte of the receiver except letters, digits and the RFC 2396
// unreserved marks - _ . ! ~ * ' ( ), so ";/?:@&=+$,", "%" and "#" are always escaped.
// Hexadecimal digits are upper case. Absent when the receiver has no UTF-8 form (a lone
// surrogate).
std::optional<QString> fullyEscapedStringForUrl(QStringView receiver);

// Appends a path component to a URL text after its "scheme:/" without disturbing the "//":
// twkrelaunch://test + x gives twkrelaunch://test/x. Absent unless ":/" occurs exactly once.
std::optional<QString> urlStringByAppendingPathComponent(QStringView receiver,
                                                         QStringView component);

} // namespace twk::strings

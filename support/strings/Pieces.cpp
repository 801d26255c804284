#include "support/strings/Pieces.h"

#include "support/environment/BaseDirectories.h"

#include <QVarLengthArray>

namespace twk::strings {

QStringList componentsSeparatedByString(QStringView receiver, QStringView separator) {
    QStringList pieces;
    if (separator.isEmpty()) {
        pieces.append(receiver.toString());
        return pieces;
    }
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = receiver.indexOf(separator, from, Qt::CaseSensitive);
        if (at < 0)
            break;
        pieces.append(receiver.mid(from, at - from).toString());
        from = at + separator.size();
    }
    pieces.append(receiver.mid(from).toString());
    return pieces;
}

QString componentsJoinedByString(const QStringList& pieces, QStringView separator) {
    return pieces.join(separator);
}

bool isValidUtf8(const char* data, qsizetype size) {
    const auto* s = reinterpret_cast<const unsigned char*>(data);
    qsizetype i = 0;
    while (i < size) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        char32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (size - i <= extra)
            return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char cc = s[i + k];
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if ((extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000) || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

namespace {

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

std::optional<QString> stringByReplacingPercentEscapes(QStringView receiver) {
    qsizetype percent = receiver.indexOf(u'%');
    if (percent < 0)
        return receiver.toString();
    // Literal characters are whole code points already, so only runs of escapes need
    // decoding; a run must be valid UTF-8 on its own. ASCII bytes, the common case, are
    // appended directly.
    QString out;
    out.reserve(receiver.size());
    out.append(receiver.left(percent));
    QVarLengthArray<char, 64> bytes;
    qsizetype i = percent;
    const qsizetype n = receiver.size();
    while (i < n) {
        if (receiver[i] != u'%') {
            const qsizetype next = receiver.indexOf(u'%', i);
            const qsizetype end = next < 0 ? n : next;
            out.append(receiver.mid(i, end - i));
            i = end;
            continue;
        }
        bytes.clear();
        bool ascii = true;
        while (i < n && receiver[i] == u'%') {
            if (i + 2 >= n)
                return std::nullopt;
            const int hi = hexDigit(receiver[i + 1]);
            const int lo = hexDigit(receiver[i + 2]);
            if (hi < 0 || lo < 0)
                return std::nullopt;
            const int byte = hi * 16 + lo;
            ascii = ascii && byte < 0x80;
            bytes.append(char(byte));
            i += 3;
        }
        if (ascii) {
            for (const char c : bytes)
                out.append(QChar(char16_t(c)));
            continue;
        }
        if (!isValidUtf8(bytes.constData(), bytes.size()))
            return std::nullopt;
        out.append(QString::fromUtf8(bytes.constData(), bytes.size()));
    }
    return out;
}

QString stringByAppendingPathComponent(QStringView path, QStringView component) {
    if (path.isEmpty())
        return component.toString();
    if (component.isEmpty())
        return path.toString();
    qsizetype end = path.size();
    while (end > 0 && path[end - 1] == u'/')
        --end;
    qsizetype begin = 0;
    while (begin < component.size() && component[begin] == u'/')
        ++begin;
    QString joined;
    joined.reserve(end + 1 + component.size() - begin);
    joined.append(path.left(end));
    joined.append(u'/');
    joined.append(component.mid(begin));
    return joined;
}

QString lastPathComponent(QStringView path) {
    qsizetype end = path.size();
    while (end > 1 && path[end - 1] == u'/')
        --end;
    const QStringView trimmed = path.left(end);
    if (trimmed == u"/")
        return QStringLiteral("/");
    const qsizetype slash = trimmed.lastIndexOf(u'/');
    return trimmed.mid(slash + 1).toString();
}

QString stringByExpandingTildeInPath(QStringView path) {
    if (path == u"~" || path.startsWith(u"~/"))
        return environment::homeFolder() + path.mid(1).toString();
    return path.toString();
}

} // namespace twk::strings

#include "support/strings/Formatter.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace twk::strings {
namespace {

struct Directive {
    bool leftAlign = false;
    bool zeroPad = false;
    bool plus = false;
    bool space = false;
    bool alternate = false;
    int width = 0;
    int precision = -1;
    int longness = 0; // 0 none, -1 h, -2 hh, 1 l / ll / q / z / t / j
};

QString pad(QString body, const Directive& directive, bool numeric) {
    const int missing = directive.width - int(body.size());
    if (missing <= 0)
        return body;
    if (directive.leftAlign)
        return body + QString(missing, u' ');
    if (directive.zeroPad && numeric) {
        // Zeros go after any sign or 0x prefix.
        qsizetype at = 0;
        if (!body.isEmpty() && (body[0] == u'-' || body[0] == u'+' || body[0] == u' '))
            at = 1;
        if (body.mid(at, 2).compare(u"0x", Qt::CaseInsensitive) == 0)
            at += 2;
        body.insert(at, QString(missing, u'0'));
        return body;
    }
    return QString(missing, u' ') + body;
}

QString signedText(qint64 value, const Directive& directive) {
    // Work on the magnitude as unsigned so the most negative value is exact.
    const bool negative = value < 0;
    const quint64 magnitude = negative ? quint64(0) - quint64(value) : quint64(value);
    QString digits = QString::number(magnitude);
    if (directive.precision >= 0 && digits.size() < directive.precision)
        digits.prepend(QString(directive.precision - digits.size(), u'0'));
    if (directive.precision == 0 && magnitude == 0)
        digits.clear();
    if (negative)
        return u'-' + digits;
    if (directive.plus)
        return u'+' + digits;
    if (directive.space)
        return u' ' + digits;
    return digits;
}

QString unsignedText(quint64 value, int base, bool upper, const Directive& directive) {
    QString digits = QString::number(value, base);
    if (upper)
        digits = digits.toUpper();
    if (directive.precision >= 0 && digits.size() < directive.precision)
        digits.prepend(QString(directive.precision - digits.size(), u'0'));
    if (directive.precision == 0 && value == 0)
        digits.clear();
    if (directive.alternate && value != 0) {
        if (base == 16)
            digits.prepend(upper ? QStringLiteral("0X") : QStringLiteral("0x"));
        else if (base == 8 && !digits.startsWith(u'0'))
            digits.prepend(u'0');
    }
    return digits;
}

QString floatText(double value, QChar conversion, const Directive& directive) {
    // Build a C format for one double: the value is ours, so this cannot misread memory.
    char fmt[32];
    char* p = fmt;
    *p++ = '%';
    if (directive.plus)
        *p++ = '+';
    if (directive.space)
        *p++ = ' ';
    if (directive.alternate)
        *p++ = '#';
    const int precision = std::min(directive.precision, 300);
    if (precision >= 0)
        p += std::snprintf(p, 8, ".%d", precision);
    *p++ = char(conversion.unicode());
    *p = '\0';
    char buffer[400];
    const int n = std::snprintf(buffer, sizeof buffer, fmt, value);
    if (n < 0)
        return {};
    return QString::fromLatin1(buffer, std::min<int>(n, int(sizeof buffer) - 1));
}

std::optional<qint64> asSigned(const FormatArg& arg) {
    if (auto v = std::get_if<qint64>(&arg))
        return *v;
    if (auto v = std::get_if<quint64>(&arg))
        return qint64(*v);
    if (auto v = std::get_if<QChar>(&arg))
        return qint64(v->unicode());
    return std::nullopt;
}

std::optional<quint64> asUnsigned(const FormatArg& arg) {
    if (auto v = asSigned(arg))
        return quint64(*v);
    return std::nullopt;
}

QString asText(const FormatArg& arg) {
    return std::visit(
        [](const auto& v) -> QString {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, QString>)
                return v;
            else if constexpr (std::is_same_v<T, QChar>)
                return QString(v);
            else if constexpr (std::is_same_v<T, double>)
                return QString::number(v, 'g', 17);
            else
                return QString::number(v);
        },
        arg);
}

// Applies one conversion; answers nothing when the argument does not fit it.
// The value cut to the width its length modifier names: none 32 bits, "h" 16, "hh" 8; "l" and
// wider keep it whole. Signed values keep their sign, through their unsigned bits.
template <typename T> T narrowed(T value, int longness) {
    const quint64 bits = quint64(value);
    constexpr bool sign = std::is_signed_v<T>;
    switch (longness) {
    case 0:
        return sign ? T(qint32(quint32(bits))) : T(quint32(bits));
    case -1:
        return sign ? T(qint16(quint16(bits))) : T(quint16(bits));
    case -2:
        return sign ? T(qint8(quint8(bits))) : T(quint8(bits));
    default:
        return value;
    }
}

std::optional<QString> convert(QChar conversion, const Directive& directive, const FormatArg& arg) {
    switch (conversion.unicode()) {
    case u'@':
    case u's':
    case u'S': {
        QString text = asText(arg);
        if (directive.precision >= 0 && text.size() > directive.precision)
            text.truncate(directive.precision);
        return pad(text, directive, false);
    }
    case u'd':
    case u'i': {
        auto v = asSigned(arg);
        if (!v)
            return std::nullopt;
        const qint64 value = narrowed(*v, directive.longness);
        return pad(signedText(value, directive), directive, directive.precision < 0);
    }
    case u'u':
    case u'x':
    case u'X':
    case u'o': {
        auto v = asUnsigned(arg);
        if (!v)
            return std::nullopt;
        const quint64 value = narrowed(*v, directive.longness);
        const int base = conversion == u'u' ? 10 : conversion == u'o' ? 8 : 16;
        return pad(unsignedText(value, base, conversion == u'X', directive), directive,
                   directive.precision < 0);
    }
    case u'c':
    case u'C': {
        QChar c;
        if (auto ch = std::get_if<QChar>(&arg))
            c = *ch;
        else if (auto v = asUnsigned(arg))
            c = conversion == u'c' ? QChar(char16_t(quint8(*v))) : QChar(char16_t(*v));
        else
            return std::nullopt;
        return pad(QString(c), directive, false);
    }
    case u'f':
    case u'F':
    case u'e':
    case u'E':
    case u'g':
    case u'G': {
        double value;
        if (auto d = std::get_if<double>(&arg))
            value = *d;
        else if (auto v = asSigned(arg))
            value = double(*v);
        else
            return std::nullopt;
        return pad(floatText(value, conversion, directive), directive, std::isfinite(value));
    }
    default:
        return std::nullopt;
    }
}

bool isConversion(QChar c) {
    return QStringView(u"@sSdiuxXocCfFeEgG").contains(c);
}

} // namespace

QString formatWithArguments(QStringView format, std::span<const FormatArg> args) {
    QString out;
    out.reserve(format.size() + 16);
    size_t nextArg = 0;
    const qsizetype n = format.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = format[i];
        if (c != u'%') {
            out.append(c);
            ++i;
            continue;
        }
        const qsizetype start = i++;
        if (i < n && format[i] == u'%') {
            out.append(u'%');
            ++i;
            continue;
        }
        Directive directive;
        for (; i < n; ++i) {
            const QChar f = format[i];
            if (f == u'-')
                directive.leftAlign = true;
            else if (f == u'0')
                directive.zeroPad = true;
            else if (f == u'+')
                directive.plus = true;
            else if (f == u' ')
                directive.space = true;
            else if (f == u'#')
                directive.alternate = true;
            else
                break;
        }
        // Widths and precisions are capped so a hostile format cannot ask for gigabytes.
        constexpr int maxWidth = 4096;
        while (i < n && format[i].isDigit() && format[i].unicode() < 128)
            directive.width =
                std::min(maxWidth, directive.width * 10 + (format[i++].unicode() - u'0'));
        if (i < n && format[i] == u'.') {
            ++i;
            directive.precision = 0;
            while (i < n && format[i].isDigit() && format[i].unicode() < 128)
                directive.precision =
                    std::min(maxWidth, directive.precision * 10 + (format[i++].unicode() - u'0'));
        }
        while (i < n) {
            const QChar l = format[i];
            if (l == u'l' || l == u'q' || l == u'z' || l == u't' || l == u'j' || l == u'L') {
                directive.longness = 1;
                ++i;
            } else if (l == u'h') {
                directive.longness = directive.longness < 0 ? -2 : -1;
                ++i;
            } else {
                break;
            }
        }
        if (i >= n || !isConversion(format[i]) || nextArg >= args.size()) {
            // Unknown, unfinished or unfed conversion: show it as written.
            const qsizetype end = (i < n && isConversion(format[i])) ? i + 1 : i;
            out.append(format.mid(start, end - start));
            i = end;
            continue;
        }
        const QChar conversion = format[i++];
        if (auto text = convert(conversion, directive, args[nextArg])) {
            out.append(*text);
            ++nextArg;
        } else {
            // The argument is of another kind: show the conversion, and still use the
            // argument up so the conversions after it keep their own arguments.
            out.append(format.mid(start, i - start));
            ++nextArg;
        }
    }
    return out;
}

} // namespace twk::strings

#pragma once

#include <QChar>
#include <QString>

#include <span>
#include <type_traits>
#include <variant>
#include <vector>

namespace twk::strings {

// One argument of a printf-style format. Types are kept, so a conversion never
// reinterprets memory: a conversion whose argument has the wrong kind, or no argument at
// all, is written out as it stands in the format.
using FormatArg = std::variant<QString, qint64, quint64, double, QChar>;

template <typename T> FormatArg toFormatArg(T&& value) {
    using D = std::remove_cvref_t<T>;
    if constexpr (std::is_same_v<D, QChar> || std::is_same_v<D, char16_t>)
        return QChar(value);
    else if constexpr (std::is_same_v<D, bool>)
        return qint64(value ? 1 : 0);
    else if constexpr (std::is_integral_v<D> && std::is_signed_v<D>)
        return qint64(value);
    else if constexpr (std::is_integral_v<D>)
        return quint64(value);
    else if constexpr (std::is_floating_point_v<D>)
        return double(value);
    else
        return QString(std::forward<T>(value));
}

// Expands a printf-style format. Supported conversions: %@ and %s (text), %d %i (32-bit
// signed), %ld %lld %qd %zd (64-bit signed), %u %lu %llu %zu (unsigned), %x %X %o with
// their l-forms, %c and %C (one character), %f %e %g, and %%. Flags "-", "0", "+", " ",
// "#", a width and a precision are honoured; "*" widths and positional arguments are not
// supported and are written out literally. Arguments left over are ignored.
QString formatWithArguments(QStringView format, std::span<const FormatArg> args);

template <typename... Args> QString format(QStringView fmt, Args&&... args) {
    const std::vector<FormatArg> list{toFormatArg(std::forward<Args>(args))...};
    return formatWithArguments(fmt, list);
}

} // namespace twk::strings

#include "support/strings/Pieces.h"

#include "support/environment/BaseDirectories.h"
#include "support/text/Conversions.h"

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

std::optional<QString> stringByReplacingPercentEscapes(QStringView receiver) {
    if (!receiver.contains(u'%'))
        return receiver.toString();
    // Literal characters are whole code points already; the escaped bytes must complete
    // them into valid UTF-8 on their own, so decoding the whole is the same as decoding runs.
    const auto bytes = text::percentDecoded(text::toNativeBytes(receiver));
    if (!bytes)
        return std::nullopt;
    return text::decodeUtf8(*bytes);
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

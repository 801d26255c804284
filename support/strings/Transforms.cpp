#include "support/strings/Transforms.h"

#include "support/strings/Pieces.h"

#include <initializer_list>
#include <utility>

namespace twk::strings {
namespace {

using Pair = std::pair<QStringView, QStringView>;

// Each pair replaces every occurrence in the text that the previous pair produced.
QString applyTable(QStringView receiver, std::initializer_list<Pair> table) {
    QString text = receiver.toString();
    for (const auto& [from, to] : table)
        text.replace(from.toString(), to.toString(), Qt::CaseSensitive);
    return text;
}

} // namespace

QString stringByAddingSlashEscapes(QStringView receiver) {
    return applyTable(receiver,
                      {{u"\\", u"\\\\"}, {u"\"", u"\\\""}, {u"\n", u"\\n"}, {u"\t", u"\\t"}});
}

QString stringByRemovingSlashEscapes(QStringView receiver) {
    return applyTable(receiver,
                      {{u"\\\\", u"\\"}, {u"\\\"", u"\""}, {u"\\n", u"\n"}, {u"\\t", u"\t"}});
}

QString stringByReplacingBadCharactersWithEntities(QStringView receiver) {
    return applyTable(receiver, {{u"&", u"&amp;"}, {u">", u"&gt;"}, {u"<", u"&lt;"}});
}

QString stringByRemovingPrefix(QStringView receiver, QStringView prefix) {
    if (receiver.startsWith(prefix, Qt::CaseSensitive))
        return receiver.mid(prefix.size()).toString();
    return receiver.toString();
}

QString stringByRemovingSuffix(QStringView receiver, QStringView suffix) {
    if (receiver.endsWith(suffix, Qt::CaseSensitive))
        return receiver.left(receiver.size() - suffix.size()).toString();
    return receiver.toString();
}

QString stringByWrappingWithString(QStringView receiver, const std::optional<QString>& wrapper) {
    const QString w = wrapper.value_or(QStringLiteral("(null)"));
    return w + receiver.toString() + w;
}

QStringList componentsSeparatedByString(QStringView receiver, QStringView separator,
                                        QStringView protector) {
    QStringList pieces = componentsSeparatedByString(receiver, protector);
    for (qsizetype i = 0; i < pieces.size(); i += 2) {
        if (!separator.isEmpty())
            pieces[i].replace(separator.toString(), ProtectedSeparatorMarker.toString());
    }
    return componentsSeparatedByString(componentsJoinedByString(pieces, protector),
                                       ProtectedSeparatorMarker);
}

} // namespace twk::strings

#include "support/text/Conversions.h"

#include <QStringDecoder>
#include <QUtf8StringView>

#include <glib.h>

namespace twk::text {
namespace {

// Qt's own fromUtf8 drops a leading byte-order mark; a name that begins with one is another
// name than the one without it.
QString decodeKeepingEverything(QByteArrayView bytes) {
    if (!bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes); // the same, without a decoder to set up
    QStringDecoder decoder(QStringDecoder::Utf8, QStringConverter::Flag::ConvertInitialBom |
                                                     QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

} // namespace

QString fromNativeBytes(QByteArrayView bytes) {
    return decodeKeepingEverything(bytes);
}

QByteArray toNativeBytes(QStringView text) {
    return text.toUtf8();
}

std::optional<QString> decodeUtf8(QByteArrayView bytes) {
    if (!QUtf8StringView(bytes.data(), bytes.size()).isValidUtf8())
        return std::nullopt;
    return decodeKeepingEverything(bytes);
}

std::optional<QByteArray> percentDecoded(QByteArrayView escaped) {
    if (!escaped.contains('%'))
        return escaped.toByteArray();
    g_autoptr(GBytes) bytes =
        g_uri_unescape_bytes(escaped.data(), gssize(escaped.size()), nullptr, nullptr);
    if (!bytes)
        return std::nullopt;
    gsize size = 0;
    const auto* data = static_cast<const char*>(g_bytes_get_data(bytes, &size));
    return QByteArray(data, qsizetype(size));
}

} // namespace twk::text

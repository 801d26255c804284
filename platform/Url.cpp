#include "platform/Url.h"

#include <QUrl>

namespace twk::platform {
namespace {

bool isAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

} // namespace

std::optional<Url> Url::urlWithString(const QString& text) {
    if (text.isEmpty())
        return std::nullopt;
    const QUrl parsed(text, QUrl::StrictMode);
    if (!parsed.isValid() || parsed.scheme().isEmpty())
        return std::nullopt;
    return Url(text);
}

std::optional<Url> Url::lenientUrlWithString(const QString& typed) {
    // As a browser does: without the spaces and control characters around it.
    qsizetype from = 0, to = typed.size();
    while (from < to && typed[from].unicode() <= 0x20)
        ++from;
    while (to > from && typed[to - 1].unicode() <= 0x20)
        --to;
    const QString text = typed.mid(from, to - from);
    // RFC 3986: a letter, then letters, digits, "+", "-" or ".", up to the first ":".
    const qsizetype colon = text.indexOf(u':');
    if (colon < 1 || !isAsciiLetter(text[0]))
        return std::nullopt;
    for (qsizetype i = 1; i < colon; ++i) {
        const QChar c = text[i];
        if (!isAsciiLetter(c) && !(c >= u'0' && c <= u'9') && c != u'+' && c != u'-' && c != u'.')
            return std::nullopt;
    }
    return Url(text);
}

QString Url::scheme() const {
    return text_.left(text_.indexOf(u':'));
}

} // namespace twk::platform

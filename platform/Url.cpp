#include "platform/Url.h"

#include <QUrl>

namespace twk::platform {

std::optional<Url> Url::urlWithString(const QString& text) {
    if (text.isEmpty())
        return std::nullopt;
    const QUrl parsed(text, QUrl::StrictMode);
    if (!parsed.isValid() || parsed.scheme().isEmpty())
        return std::nullopt;
    return Url(text);
}

QString Url::scheme() const {
    return text_.left(text_.indexOf(u':'));
}

} // namespace twk::platform

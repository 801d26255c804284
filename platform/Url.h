#pragma once

// A URL as another program handed it to us: its text is kept exactly, never re-encoded.

#include <QString>

#include <optional>

namespace twk::platform {

class Url {
public:
    // A URL made from the text; absent when the text is no well-formed URL (RFC 3986,
    // strictly: no spaces, no bad escapes, a scheme before the first ":").
    static std::optional<Url> urlWithString(const QString& text);
    // A URL read leniently, as a browser reads what is typed: any text that begins with a
    // scheme and ":" once the spaces and control characters around it are dropped (raw
    // spaces inside, a "%" that escapes nothing and the like are left as they stand); absent
    // without a scheme.
    static std::optional<Url> lenientUrlWithString(const QString& typed);

    const QString& absoluteString() const { return text_; }
    // The text before the first ":".
    QString scheme() const;

private:
    explicit Url(QString text) : text_(std::move(text)) {}
    QString text_;
};

} // namespace twk::platform

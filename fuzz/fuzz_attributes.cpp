// The attribute parser and the escaping round trip: escaped text put in a message as a value
// must come back exactly.

#include "FuzzInput.h"
#include "support/strings/MessageAttributes.h"
#include "support/strings/Pieces.h"

#include <cstdlib>

using namespace twk::strings;

static bool hasLoneSurrogate(const QString& s) {
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            ++i;
        else if (s[i].isSurrogate())
            return true;
    }
    return false;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const uint8_t flags = in.byte();
    const QString message = in.text(4096);
    const auto map = attributesFromMessageWithLowercaseKey(message, flags & 1, flags & 2);
    if (map.has_value() != message.contains(u'?'))
        std::abort();
    if (map) {
        for (const auto& [key, value] : *map) {
            if (!map->contains(key))
                std::abort();
        }
    }
    (void)pathByRemovingParameters(message);
    (void)urlStringByAppendingPathComponent(message, in.text(64));

    const QString value = in.rest();
    const auto escaped = fullyEscapedStringForUrl(value);
    if (escaped.has_value() == hasLoneSurrogate(value))
        std::abort();
    if (escaped) {
        const auto back = attributesFromMessageWithLowercaseKey(
            QStringLiteral("twkscriptinstall://x?value=") + *escaped + QStringLiteral("&z"), true,
            false);
        if (!back || back->value(u"value") != value || back->size() != 2)
            std::abort();
    }
    return 0;
}

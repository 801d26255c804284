// The protected split and the searches: every range found lies inside the searched range.

#include "FuzzInput.h"
#include "support/strings/Pieces.h"
#include "support/strings/Search.h"
#include "support/strings/Searches.h"
#include "support/strings/Transforms.h"

#include <cstdlib>

using namespace twk::strings;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const QString separator = in.text(4);
    const QString protector = in.text(3);
    const QString needle = in.text(16);
    const SearchOptions options = in.u64() & 0x7ff;
    const quint64 location = in.byte() % 80;
    const quint64 length = in.byte() % 80;
    const QString text = in.rest();

    if (!separator.isEmpty() && !protector.isEmpty() && !text.contains(u'#') &&
        !separator.contains(u'#') && !protector.contains(u'#')) {
        const QStringList pieces = componentsSeparatedByString(text, separator, protector);
        if (pieces.join(separator) != text)
            std::abort();
    }

    const Range range{location, length};
    const bool inside = location + length <= quint64(text.size());
    const Range found = rangeOfString(text, needle, options, range);
    if (found.found()) {
        if (!inside || found.location < location ||
            found.location + found.length > location + length)
            std::abort();
    }
    const Range quote =
        rangeOfStringAllowingNilMagicQuotes(text, QStringView(needle), options, range);
    if (quote.found() && quote.location + quote.length > quint64(text.size()))
        std::abort();
    (void)hasSubstring(text, QStringView(needle), options);
    return 0;
}

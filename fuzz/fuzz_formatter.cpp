// The printf-style formatter with hostile formats and arguments of every kind.

#include "FuzzInput.h"
#include "support/strings/Formatter.h"

#include <cstdlib>
#include <vector>

using namespace twk::strings;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in(data, size);
    const QString format = in.text(512);
    std::vector<FormatArg> args;
    const int count = in.byte() % 6;
    for (int i = 0; i < count; ++i) {
        switch (in.byte() % 5) {
        case 0:
            args.emplace_back(in.text(32));
            break;
        case 1:
            args.emplace_back(qint64(in.u64()));
            break;
        case 2:
            args.emplace_back(quint64(in.u64()));
            break;
        case 3:
            args.emplace_back(double(qint64(in.u64())) / 7.0);
            break;
        default:
            args.emplace_back(QChar(char16_t(in.u64())));
            break;
        }
    }
    const QString out = formatWithArguments(format, args);
    // Without conversions a format is its own text; widths are bounded.
    if (!format.contains(u'%') && out != format)
        std::abort();
    if (out.size() > format.size() * 4100 + 4096 * 8 + 1024)
        std::abort();
    return 0;
}

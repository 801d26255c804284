#include "support/strings/TextDump.h"

#include "support/log/SystemLog.h"
#include "support/strings/Formatter.h"

namespace twk::strings {

void logStringComponents(QStringView receiver) {
    log::systemLog(format(u"string length %lu", quint64(receiver.size())));
    for (qsizetype i = 0; i < receiver.size(); ++i)
        log::systemLog(format(u"%d - %C", int(i), receiver[i]));
}

} // namespace twk::strings

#include "support/strings/TextTests.h"

#include "support/log/SystemLog.h"
#include "support/strings/Formatter.h"

#include <cstdio>
#include <limits>

namespace twk::strings {

bool isEqualToStringIgnoringUnicodeIssues(QStringView receiver, std::optional<QStringView> other) {
    if (!other)
        return false;
    return other->toString().normalized(QString::NormalizationForm_D) ==
           receiver.toString().normalized(QString::NormalizationForm_D);
}

qint64 integerValue(QStringView receiver) {
    qsizetype i = 0;
    const qsizetype n = receiver.size();
    while (i < n && (receiver[i] == u' ' || receiver[i] == u'\t' || receiver[i] == u'\n' ||
                     receiver[i] == u'\r' || receiver[i] == u'\f' || receiver[i] == u'\v'))
        ++i;
    bool negative = false;
    if (i < n && (receiver[i] == u'-' || receiver[i] == u'+'))
        negative = receiver[i++] == u'-';
    quint64 magnitude = 0;
    const quint64 limit = negative ? quint64(std::numeric_limits<qint64>::max()) + 1
                                   : quint64(std::numeric_limits<qint64>::max());
    bool saturated = false;
    for (; i < n && receiver[i] >= u'0' && receiver[i] <= u'9'; ++i) {
        const unsigned digit = receiver[i].unicode() - u'0';
        if (saturated || magnitude > (limit - digit) / 10) {
            saturated = true;
            continue;
        }
        magnitude = magnitude * 10 + digit;
    }
    if (saturated)
        magnitude = limit;
    return negative ? qint64(quint64(0) - magnitude) : qint64(magnitude);
}

bool isInteger(QStringView receiver) {
    return format(u"%ld", integerValue(receiver)) == receiver;
}

qint64 hexValue(QStringView receiver) {
    const QByteArray utf8 = receiver.toUtf8();
    unsigned int value = 0;
    if (std::sscanf(utf8.constData(), "%x", &value) != 1)
        value = 0;
    return qint64(qint32(value));
}

void logStringComponents(QStringView receiver) {
    log::systemLog(format(u"string length %lu", quint64(receiver.size())));
    for (qsizetype i = 0; i < receiver.size(); ++i)
        log::systemLog(format(u"%d - %C", int(i), receiver[i]));
}

} // namespace twk::strings

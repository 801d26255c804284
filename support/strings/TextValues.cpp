#include "support/strings/TextValues.h"

#include "support/strings/Formatter.h"

#include <cstdio>
#include <cstdlib>

namespace twk::strings {

bool isEqualToStringIgnoringUnicodeIssues(QStringView receiver, std::optional<QStringView> other) {
    if (!other)
        return false;
    return other->toString().normalized(QString::NormalizationForm_D) ==
           receiver.toString().normalized(QString::NormalizationForm_D);
}

qint64 integerValue(QStringView receiver) {
    // strtoll: leading white space, a sign, decimal digits, saturated on overflow.
    const QByteArray digits = receiver.toUtf8();
    return std::strtoll(digits.constData(), nullptr, 10);
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

} // namespace twk::strings

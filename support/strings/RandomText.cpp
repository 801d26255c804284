#include "support/strings/RandomText.h"

#include <QRandomGenerator>
#include <QUuid>

namespace twk::strings {

QString randomString(qint64 length) {
    static constexpr char16_t alphabet[] = u"0123456789abcdefghijklmnopqrstuvwxyz";
    QString text;
    if (length < 1)
        return text;
    text.reserve(qsizetype(length));
    QRandomGenerator* generator = QRandomGenerator::system();
    for (qint64 i = 0; i < length; ++i)
        text.append(QChar(alphabet[generator->generate() % 36]));
    return text;
}

QString makeUUID() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

} // namespace twk::strings

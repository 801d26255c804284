// Test helper: writes a fixed set of typed values into a store file, or prints every
// value of one with its type, so a test can check what crosses a process boundary.
//   defaults_probe FILE write | defaults_probe FILE read

#include "support/defaults/UserDefaults.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cstdio>
#include <cstring>
#include <limits>

using twk::defaults::UserDefaults;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    UserDefaults store(QString::fromLocal8Bit(argv[1]));
    if (std::strcmp(argv[2], "write") == 0) {
        store.setBool(true, QStringLiteral("bool"));
        store.setFloat(0.1f, QStringLiteral("float"));
        store.setFloat(-0.0f, QStringLiteral("negativeZero"));
        store.setInteger(std::numeric_limits<qint64>::min(), QStringLiteral("integer"));
        store.setObject(QStringLiteral("no"), QStringLiteral("text"));
        store.setObject(QDateTime::fromMSecsSinceEpoch(1234567890123, Qt::UTC),
                        QStringLiteral("date"));
        store.setObject(
            QVariantMap{{QStringLiteral("countKey"), qint64(3)},
                        {QStringLiteral("nested"), QVariantList{1.5, QStringLiteral("x")}}},
            QStringLiteral("dictionary"));
        return store.synchronize() ? 0 : 1;
    }
    const QStringList keys = store.allKeys();
    for (const QString& key : keys) {
        const QVariant value = *store.objectForKey(key);
        QString text = value.toString();
        if (value.typeId() == QMetaType::Float) {
            const float f = value.toFloat();
            quint32 bits;
            std::memcpy(&bits, &f, sizeof bits);
            text = QString::number(bits, 16);
        } else if (value.typeId() == QMetaType::QDateTime) {
            text = QString::number(value.toDateTime().toMSecsSinceEpoch());
        } else if (value.typeId() == QMetaType::QVariantMap) {
            const QVariantMap map = value.toMap();
            text = QStringLiteral("%1:%2")
                       .arg(map.value(QStringLiteral("countKey")).toLongLong())
                       .arg(map.value(QStringLiteral("nested")).toList().value(0).toDouble());
        }
        std::printf("%s %s %s\n", qPrintable(key), value.metaType().name(), qPrintable(text));
    }
    return 0;
}

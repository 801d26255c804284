#include "support/defaults/CountedActions.h"

#include "support/defaults/Clock.h"
#include "support/defaults/Shortcuts.h"
#include "support/defaults/UserDefaults.h"
#include "support/strings/Formatter.h"

namespace twk::defaults {
namespace {

QString keyFor(QStringView format, const QString& name) {
    return strings::format(format, name);
}

// Counts wrap instead of overflowing; nobody calls anything 2^63 times.
qint64 plusOne(qint64 value) {
    return qint64(quint64(value) + 1);
}

// Seconds since the date (negative when it lies in the future), in double precision.
double secondsSince(const QDateTime& date) {
    return double(currentDate().toMSecsSinceEpoch() - date.toMSecsSinceEpoch()) / 1000.0;
}

std::optional<QDateTime> storedDate(const QString& key) {
    const auto value = objectForKey(key);
    if (!value || value->typeId() != QMetaType::QDateTime || !value->toDateTime().isValid())
        return std::nullopt;
    return value->toDateTime();
}

} // namespace

bool doOnce(UserDefaults& store, const QString& name) {
    const QString key = keyFor(u"QZ_Once%@", name);
    if (store.objectForKey(key))
        return false;
    store.setObject(QStringLiteral("1"), key);
    return true;
}

bool doOnce(const QString& name) {
    return doOnce(UserDefaults::standardUserDefaults(), name);
}

bool doThis(UserDefaults& store, const QString& name, qint64 nTimes) {
    const QString key = keyFor(u"QZ_doThisNTimes%@", name);
    if (nTimes == -1) {
        store.removeObjectForKey(key);
        return false;
    }
    const qint64 count = store.integerForKey(key);
    store.setInteger(plusOne(count), key);
    return count < nTimes;
}

bool doThis(const QString& name, qint64 nTimes) {
    return doThis(UserDefaults::standardUserDefaults(), name, nTimes);
}

bool after(UserDefaults& store, qint64 n, const QString& timesDo) {
    const QString key = keyFor(u"QZ_Times%@", timesDo);
    if (n == -1) {
        store.removeObjectForKey(key);
        return false;
    }
    const qint64 count = store.integerForKey(key);
    if (count == -1)
        return false;
    if (plusOne(count) == n) {
        store.setInteger(-1, key);
        return true;
    }
    store.setInteger(plusOne(count), key);
    return false;
}

bool after(qint64 n, const QString& timesDo) {
    return after(UserDefaults::standardUserDefaults(), n, timesDo);
}

qint64 increment(UserDefaults& store, const QString& key) {
    const qint64 value = plusOne(store.integerForKey(key));
    store.setInteger(value, key);
    return value;
}

bool forN(float hours, const QString& hoursDo) {
    const QString key = keyFor(u"QZ_Hours%@", hoursDo);
    const auto first = storedDate(key);
    if (!first) {
        setObject(currentDate(), key);
        return hours >= 0.0f;
    }
    const auto elapsedHours = float(secondsSince(*first) / 3600.0);
    return hours > elapsedHours;
}

bool ifN(float hours, const QString& hoursHavePassedSinceLastTimeThenDo) {
    const QString key = keyFor(u"QZ_HoursSinceEvent%@", hoursHavePassedSinceLastTimeThenDo);
    if (const auto last = storedDate(key)) {
        const float limit = hours * 3600.0f;
        if (!(secondsSince(*last) > double(limit)))
            return false;
    }
    setObject(currentDate(), key);
    return true;
}

qint64 countDaysUsed(UserDefaults& store, const QString& name) {
    const QString key = keyFor(u"QZ_CountDays%@", name);
    const auto stored = store.objectForKey(key);
    const bool fresh = !stored || stored->typeId() != QMetaType::QVariantMap;
    QVariantMap record;
    if (fresh) {
        record.insert(QStringLiteral("dateKey"), distantPast());
        setInt(record, 0, QStringLiteral("countKey"));
    } else {
        record = stored->toMap();
    }
    const QDateTime last = record.value(QStringLiteral("dateKey")).toDateTime();
    qint64 count = intForKey(record, QStringLiteral("countKey"));
    const QDateTime now = currentDate();
    if (!isSameDayAs(last, now)) {
        count = plusOne(count);
        setInt(record, count, QStringLiteral("countKey"));
        record.insert(QStringLiteral("dateKey"), now);
        store.setObject(record, key);
    } else if (fresh) {
        store.setObject(record, key);
    }
    return count;
}

qint64 getDaysUsed(UserDefaults& store, const QString& name) {
    const auto stored = store.objectForKey(keyFor(u"QZ_CountDays%@", name));
    if (!stored)
        return 0;
    return intForKey(stored->toMap(), QStringLiteral("countKey"));
}

bool isSameDayAs(const QDateTime& date, const QDateTime& other) {
    if (!date.isValid() || !other.isValid())
        return false;
    return date.toLocalTime().date() == other.toLocalTime().date();
}

qint64 intForKey(const QVariantMap& dictionary, const QString& key) {
    return dictionary.value(key).toLongLong();
}

void setInt(QVariantMap& dictionary, qint64 value, const QString& forKey) {
    dictionary.insert(forKey, value);
}

} // namespace twk::defaults

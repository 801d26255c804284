#include "support/defaults/Clock.h"

namespace twk::defaults {
namespace {
std::function<QDateTime()>& clock() {
    static std::function<QDateTime()> theClock;
    return theClock;
}
} // namespace

QDateTime currentDate() {
    return clock() ? clock()() : QDateTime::currentDateTimeUtc();
}

void setClockForTesting(std::function<QDateTime()> newClock) {
    clock() = std::move(newClock);
}

QDateTime distantPast() {
    return QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC);
}

} // namespace twk::defaults

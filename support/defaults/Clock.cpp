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

} // namespace twk::defaults

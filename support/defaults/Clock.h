#pragma once

// The one source of "now" for everything that keeps time in the preferences, so tests can
// move time forward, back, across midnight and across daylight-saving changes.

#include <QDateTime>

#include <functional>

namespace twk::defaults {

QDateTime currentDate();

// The distant past: a date before any date a caller will meet.
QDateTime distantPast();

// Replaces the clock; an empty function restores the system clock.
void setClockForTesting(std::function<QDateTime()> clock);

} // namespace twk::defaults

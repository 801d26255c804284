#pragma once

// Gates for actions that should happen only so often, with their state kept in the
// preference store under keys made from the action's name:
//   "QZ_Once%@", "QZ_doThisNTimes%@", "QZ_Times%@", "QZ_Hours%@", "QZ_HoursSinceEvent%@",
//   "QZ_CountDays%@". Each gate only answers; the caller acts when it answers true.
// The forms that take a store work on that store; the others on the standard one.

#include <QDateTime>
#include <QString>
#include <QVariantMap>

namespace twk::defaults {

class UserDefaults;

// True the first time only; stores the text "1".
bool doOnce(UserDefaults& store, const QString& name);
bool doOnce(const QString& name);

// True on the first n calls; the count grows on every call. n = -1 removes the count.
bool doThis(UserDefaults& store, const QString& name, qint64 nTimes);
bool doThis(const QString& name, qint64 nTimes);

// True once, on the call whose count reaches n; then -1 is stored and it stays false.
// n = -1 removes the state.
bool after(UserDefaults& store, qint64 n, const QString& timesDo);
bool after(qint64 n, const QString& timesDo);

// Adds one to the integer under the key itself and returns the sum.
qint64 increment(UserDefaults& store, const QString& key);

// True while fewer than N hours have passed since the first call (single precision).
bool forN(float hours, const QString& hoursDo);

// True when more than N hours have passed since the last call that answered true (or on
// the first call); a true answer stores the current date.
bool ifN(float hours, const QString& hoursHavePassedSinceLastTimeThenDo);

// Counts the days on which it is called (the user's local calendar day); returns the count.
qint64 countDaysUsed(UserDefaults& store, const QString& name);
qint64 getDaysUsed(UserDefaults& store, const QString& name);

// Whether two instants fall on the same calendar day in the user's time zone.
bool isSameDayAs(const QDateTime& date, const QDateTime& other);
// The integer under the key of a dictionary; 0 when there is none.
qint64 intForKey(const QVariantMap& dictionary, const QString& key);
// Stores an integer under the key as a number the store keeps.
void setInt(QVariantMap& dictionary, qint64 value, const QString& forKey);

} // namespace twk::defaults

#include "support/strings/NaturalOrder.h"

#include <QCollator>
#include <QLocale>

namespace twk::strings {
namespace {

// The C locale's collator ignores numeric mode; collate as in a real locale instead.
QLocale collationLocale(const QLocale& system) {
    if (system.language() == QLocale::C)
        return QLocale(QLocale::English, QLocale::UnitedStates);
    return system;
}

struct Collators {
    QLocale system;
    QCollator primary;  // case- and width-insensitive, numeric
    QCollator tieBreak; // case-sensitive (a collator's default), numeric

    explicit Collators(const QLocale& locale)
        : system(locale), primary(collationLocale(locale)), tieBreak(collationLocale(locale)) {
        primary.setCaseSensitivity(Qt::CaseInsensitive);
        primary.setNumericMode(true);
        tieBreak.setNumericMode(true);
    }
};

// A Linux process's system locale is fixed when it starts, so the collators are built once
// per thread, on first use; building one costs about a hundred comparisons.
const Collators& collators() {
    thread_local const Collators cached(QLocale::system());
    return cached;
}

ComparisonResult sign(int value) {
    return value < 0 ? OrderedAscending : value > 0 ? OrderedDescending : OrderedSame;
}

} // namespace

ComparisonResult naturalOrderCompare(const QString& first, const QString& second) {
    const Collators& c = collators();
    if (const int primary = c.primary.compare(first, second))
        return sign(primary);
    // Forced ordering: equal under the loose rules, so order by the stricter ones.
    if (const int tertiary = c.tieBreak.compare(first, second))
        return sign(tertiary);
    return sign(first.compare(second, Qt::CaseSensitive));
}

} // namespace twk::strings

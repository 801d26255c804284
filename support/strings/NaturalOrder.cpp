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

// Ignoring case and width first and then telling apart what is left by case and width is what
// a collator's tertiary strength (its default) does by itself, level after level, in one pass.
// A Linux process's system locale is fixed when it starts, so the collator is built once per
// thread, on first use; building one costs about a hundred comparisons.
const QCollator& collator() {
    thread_local const QCollator cached = [] {
        QCollator numeric(collationLocale(QLocale::system()));
        numeric.setNumericMode(true);
        return numeric;
    }();
    return cached;
}

ComparisonResult sign(int value) {
    return value < 0 ? OrderedAscending : value > 0 ? OrderedDescending : OrderedSame;
}

} // namespace

ComparisonResult naturalOrderCompare(const QString& first, const QString& second) {
    if (const int collated = collator().compare(first, second))
        return sign(collated);
    // Forced ordering: texts the collator finds equal are ordered by their code units.
    return sign(first.compare(second, Qt::CaseSensitive));
}

} // namespace twk::strings

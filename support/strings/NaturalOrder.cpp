#include "support/strings/NaturalOrder.h"

#include <QCollator>
#include <QLocale>

#include <memory>

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
    QCollator tieBreak; // case-sensitive, numeric

    explicit Collators(const QLocale& locale)
        : system(locale), primary(collationLocale(locale)), tieBreak(collationLocale(locale)) {
        primary.setCaseSensitivity(Qt::CaseInsensitive);
        primary.setNumericMode(true);
        tieBreak.setCaseSensitivity(Qt::CaseSensitive);
        tieBreak.setNumericMode(true);
    }
};

const Collators& collatorsFor(const QLocale& locale) {
    thread_local std::unique_ptr<Collators> cached;
    if (!cached || cached->system != locale)
        cached = std::make_unique<Collators>(locale);
    return *cached;
}

ComparisonResult sign(int value) {
    return value < 0 ? OrderedAscending : value > 0 ? OrderedDescending : OrderedSame;
}

} // namespace

ComparisonResult naturalOrderCompare(const QString& first, const QString& second) {
    const Collators& c = collatorsFor(QLocale::system());
    if (const int primary = c.primary.compare(first, second))
        return sign(primary);
    // Forced ordering: equal under the loose rules, so order by the stricter ones.
    if (const int tertiary = c.tieBreak.compare(first, second))
        return sign(tertiary);
    return sign(first.compare(second, Qt::CaseSensitive));
}

} // namespace twk::strings

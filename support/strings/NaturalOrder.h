#pragma once

#include "support/strings/Range.h"

#include <QString>

namespace twk::strings {

// Orders two texts as a person reads them, in the user's locale: case and width ignored,
// runs of digits by value ("file2" before "file10"), and 0 only for identical texts
// (texts equal under those rules still get a fixed order). The collators are built once
// per thread, for the locale the process started with, and reused.
ComparisonResult naturalOrderCompare(const QString& first, const QString& second);

} // namespace twk::strings

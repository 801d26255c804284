#pragma once

// A text's code units, one by one, in the system log.

#include <QString>

namespace twk::strings {

// Logs "string length %lu", then "%d - %C" for every code unit.
void logStringComponents(QStringView receiver);

} // namespace twk::strings

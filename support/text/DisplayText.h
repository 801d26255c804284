#pragma once

// Text that came from outside (a script name from a request or a folder, a script's first
// lines) shown as exactly the characters it holds. Characters that would change how the
// rest reads without being seen themselves are written out as \uXXXX (\UXXXXXXXX beyond
// the first plane): control characters (escape sequences included), format characters
// (the bidirectional embeddings, overrides and isolates, zero-width characters, the word
// joiner, the byte order mark) and the line and paragraph separators. Only the shown text
// changes, never the name.

#include <QString>

namespace twk::text {

// For every plain-text surface: labels, list rows, terminal output, log lines.
QString visibleText(QStringView text);

// The same, but keeping line feeds and tabs (for a few lines of a script shown as text).
QString visibleLines(QStringView text);

// For surfaces that draw markup (tooltips, notification bodies): visible, then with <, >,
// & and quotes written as entities, so nothing of it is read as markup.
QString markupSafeText(QStringView text);

} // namespace twk::text

#pragma once

// The differences between two versions of a text, line by line, as a unified diff with three
// lines of context: computed by libgit2 (its buffer diff), never by hand. Bytes stay bytes;
// what is shown of them, and how, is the caller's.

#include "installer/files/Folders.h"

#include <QByteArray>

#include <vector>

namespace twk::files {

struct DiffLine {
    enum class Kind {
        Hunk,      // "@@ -a,b +c,d @@"
        Context,   // in both
        Removed,   // only in the text before
        Added,     // only in the text after
        NoNewline, // the line above ends the text without a line feed
    };
    Kind kind;
    QByteArray text; // without its line feed; a hunk's header as libgit2 wrote it
};

struct TextDiff {
    std::vector<DiffLine> lines;
    int added = 0, removed = 0;
    // One text ends its lines with CR LF and the other not: a carriage return is then a
    // difference worth seeing, not noise.
    bool lineEndsDiffer = false;

    bool isEmpty() const { return lines.empty(); }
};

// Whether bytes are a text the program diffs and merges: no NUL byte in them (the caller
// bounds their size).
inline bool isText(const QByteArray& bytes) {
    return !bytes.contains('\0');
}

// Whether every line of the text ends with CR LF (and there is at least one).
bool endsLinesWithCrLf(const QByteArray& text);

// The differences between before and after, taken as text whatever bytes they hold.
Expected<TextDiff> diffTexts(const QByteArray& before, const QByteArray& after);

} // namespace twk::files

#pragma once

// A three-way merge of a text: the user's version and Tarnwick's, each changed from the
// version both started from, merged by libgit2 (its file merge), never by hand. Where the two
// changes touch the same lines, the result holds both between conflict markers, and the
// conflict is told apart. Line ends are the user's: when every line of the user's version
// ends with CR LF, the merge is made on plain line feeds and its result ends every line with
// CR LF again, so a change of line ends on one side never collides with the other's lines.

#include "installer/files/Folders.h"

#include <QByteArray>
#include <QList>

#include <vector>

namespace twk::files {

// Where the two changes collide: the lines each side has there (without line ends).
struct MergeConflict {
    int line = 0; // where the conflict starts in the merged text, counted from 1
    QList<QByteArray> yours, theirs;
};

struct TextMerge {
    QByteArray merged; // conflict markers included where the changes collide
    std::vector<MergeConflict> conflicts;

    bool isClean() const { return conflicts.empty(); }
};

// The labels of the conflict markers.
inline constexpr char YoursLabel[] = "yours";
inline constexpr char TheirsLabel[] = "Tarnwick's";

Expected<TextMerge> mergeTexts(const QByteArray& base, const QByteArray& yours,
                               const QByteArray& theirs);

} // namespace twk::files

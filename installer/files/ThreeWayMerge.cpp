#include "installer/files/ThreeWayMerge.h"

#include "installer/files/Libgit.h"
#include "installer/files/TextDiff.h"

#include <git2.h>

#include <algorithm>

namespace twk::files {
namespace {

QByteArray withLineFeeds(const QByteArray& text) {
    return endsLinesWithCrLf(text) ? QByteArray(text).replace("\r\n", "\n") : text;
}

// The longest run of marker characters that starts a line in any of the texts: the markers
// of the merge are made longer, so no line of a script is ever taken for one.
int longestMarkerRun(std::initializer_list<const QByteArray*> texts) {
    int longest = 0;
    for (const QByteArray* text : texts) {
        for (qsizetype at = 0; at < text->size();) {
            const char c = text->at(at);
            if (c == '<' || c == '=' || c == '>') {
                qsizetype end = at;
                while (end < text->size() && text->at(end) == c)
                    ++end;
                longest = std::max(longest, int(end - at));
            }
            const qsizetype next = text->indexOf('\n', at);
            at = next < 0 ? text->size() : next + 1;
        }
    }
    return longest;
}

// The conflicts between markers of the given size.
std::vector<MergeConflict> conflictsIn(const QByteArray& merged, int markerSize) {
    const QByteArray start(markerSize, '<'), middle(markerSize, '='), end(markerSize, '>');
    auto is = [](const QByteArray& line, const QByteArray& marker) {
        return line.startsWith(marker) &&
               (line.size() == marker.size() || line.at(marker.size()) == ' ');
    };
    std::vector<MergeConflict> conflicts;
    enum { Outside, Yours, Theirs } where = Outside;
    const QList<QByteArray> lines = merged.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        if (where == Outside && is(line, start)) {
            conflicts.push_back({int(i + 1), {}, {}});
            where = Yours;
        } else if (where == Yours && is(line, middle)) {
            where = Theirs;
        } else if (where == Theirs && is(line, end)) {
            where = Outside;
        } else if (where != Outside) {
            (where == Yours ? conflicts.back().yours : conflicts.back().theirs).append(line);
        }
    }
    return conflicts;
}

} // namespace

Expected<TextMerge> mergeTexts(const QByteArray& base, const QByteArray& yours,
                               const QByteArray& theirs) {
    const auto loaded = libgit2();
    if (!loaded.ok())
        return loaded.status();
    const Libgit2& git = **loaded;
    const bool crlf = endsLinesWithCrLf(yours);
    const QByteArray plain[] = {withLineFeeds(base), withLineFeeds(yours), withLineFeeds(theirs)};
    git_merge_file_input inputs[3];
    for (int i = 0; i < 3; ++i) {
        git.mergeFileInputInit(&inputs[i], GIT_MERGE_FILE_INPUT_VERSION);
        inputs[i].ptr = plain[i].constData();
        inputs[i].size = size_t(plain[i].size());
    }
    git_merge_file_options options;
    git.mergeFileOptionsInit(&options, GIT_MERGE_FILE_OPTIONS_VERSION);
    options.our_label = YoursLabel;
    options.their_label = TheirsLabel;
    options.marker_size = static_cast<unsigned short>(std::max(
        GIT_MERGE_CONFLICT_MARKER_SIZE, longestMarkerRun({&plain[0], &plain[1], &plain[2]}) + 1));
    git_merge_file_result result{};
    if (const int code = git.mergeFile(&result, &inputs[0], &inputs[1], &inputs[2], &options);
        code < 0)
        return libgit2Failure(git, Step::Reading, code);
    TextMerge merge;
    merge.merged = QByteArray(result.ptr, qsizetype(result.len));
    const bool clean = result.automergeable != 0;
    git.mergeFileResultFree(&result);
    if (!clean)
        merge.conflicts = conflictsIn(merge.merged, options.marker_size);
    if (!clean && merge.conflicts.empty())
        merge.conflicts.push_back({1, {}, {}}); // never taken for clean, whatever it holds
    if (crlf)
        merge.merged.replace("\n", "\r\n");
    return merge;
}

} // namespace twk::files

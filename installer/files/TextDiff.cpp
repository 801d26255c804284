#include "installer/files/TextDiff.h"

#include "installer/files/Libgit.h"

#include <git2.h>

#include <memory>

namespace twk::files {

bool endsLinesWithCrLf(const QByteArray& text) {
    qsizetype from = 0, lines = 0;
    for (qsizetype at; (at = text.indexOf('\n', from)) >= 0; from = at + 1, ++lines) {
        if (at == 0 || text.at(at - 1) != '\r')
            return false;
    }
    return lines > 0;
}

Expected<TextDiff> diffTexts(const QByteArray& before, const QByteArray& after) {
    const auto loaded = libgit2();
    if (!loaded.ok())
        return loaded.status();
    const Libgit2& git = **loaded;
    git_diff_options options;
    git.diffOptionsInit(&options, GIT_DIFF_OPTIONS_VERSION);
    // Binary or not was decided before; libgit2's own guess would hide a script's lines.
    options.flags = GIT_DIFF_FORCE_TEXT;
    git_patch* made = nullptr;
    if (const int code =
            git.patchFromBuffers(&made, before.constData(), size_t(before.size()), nullptr,
                                 after.constData(), size_t(after.size()), nullptr, &options);
        code < 0)
        return libgit2Failure(git, Step::Reading, code);
    const std::unique_ptr<git_patch, void (*)(git_patch*)> patch(made, git.patchFree);
    TextDiff diff;
    diff.lineEndsDiffer = endsLinesWithCrLf(before) != endsLinesWithCrLf(after);
    const size_t hunks = git.patchNumHunks(patch.get());
    for (size_t h = 0; h < hunks; ++h) {
        const git_diff_hunk* hunk = nullptr;
        size_t lines = 0;
        if (const int code = git.patchGetHunk(&hunk, &lines, patch.get(), h); code < 0)
            return libgit2Failure(git, Step::Reading, code);
        QByteArray header(hunk->header, qsizetype(hunk->header_len));
        while (header.endsWith('\n'))
            header.chop(1);
        diff.lines.push_back({DiffLine::Kind::Hunk, header});
        for (size_t l = 0; l < lines; ++l) {
            const git_diff_line* line = nullptr;
            if (const int code = git.patchGetLineInHunk(&line, patch.get(), h, l); code < 0)
                return libgit2Failure(git, Step::Reading, code);
            QByteArray text(line->content, qsizetype(line->content_len));
            if (text.endsWith('\n'))
                text.chop(1);
            switch (line->origin) {
            case GIT_DIFF_LINE_ADDITION:
                diff.lines.push_back({DiffLine::Kind::Added, text});
                ++diff.added;
                break;
            case GIT_DIFF_LINE_DELETION:
                diff.lines.push_back({DiffLine::Kind::Removed, text});
                ++diff.removed;
                break;
            case GIT_DIFF_LINE_CONTEXT:
                diff.lines.push_back({DiffLine::Kind::Context, text});
                break;
            default: // the three "no newline at end of file" markers
                diff.lines.push_back({DiffLine::Kind::NoNewline, {}});
                break;
            }
        }
    }
    return diff;
}

} // namespace twk::files

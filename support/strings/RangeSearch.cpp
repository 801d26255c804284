#include "support/strings/RangeSearch.h"

#include <QRegularExpression>

#include <vector>

namespace twk::strings {
namespace {

// The last occurrence starting at or before from. Qt 6.4's lastIndexOf can report a single
// NUL just past the end (it reads the terminator), so this one stays inside the text.
qsizetype lastIndexOf(QStringView haystack, QStringView needle, qsizetype from,
                      Qt::CaseSensitivity cs = Qt::CaseSensitive) {
    const qsizetype m = needle.size();
    if (m == 0 || m > haystack.size())
        return -1;
    for (qsizetype at = std::min(from, haystack.size() - m); at >= 0; --at) {
        if (haystack.mid(at, m).compare(needle, cs) == 0)
            return at;
    }
    return -1;
}

bool isAscii(QStringView text) {
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

Range regexSearch(QStringView haystack, qsizetype offset, QStringView pattern,
                  SearchOptions options) {
    QRegularExpression::PatternOptions patternOptions = QRegularExpression::NoPatternOption;
    if (options & CaseInsensitiveSearch)
        patternOptions |= QRegularExpression::CaseInsensitiveOption;
    const QRegularExpression re(pattern.toString(), patternOptions);
    if (!re.isValid())
        return Range::notFound();
    const bool backwards = options & BackwardsSearch;
    const bool anchored = options & AnchoredSearch;
    if (anchored && !backwards) {
        const auto m = re.match(haystack, 0, QRegularExpression::NormalMatch,
                                QRegularExpression::AnchorAtOffsetMatchOption);
        if (!m.hasMatch())
            return Range::notFound();
        return {quint64(offset + m.capturedStart()), quint64(m.capturedLength())};
    }
    Range best = Range::notFound();
    auto it = re.globalMatch(haystack);
    while (it.hasNext()) {
        const auto m = it.next();
        const Range r{quint64(offset + m.capturedStart()), quint64(m.capturedLength())};
        if (!backwards)
            return r;
        if (anchored && m.capturedEnd() != haystack.size())
            continue;
        best = r;
    }
    return best;
}

// A text folded for comparison, with where each folded unit came from.
struct Folded {
    QString text;
    std::vector<qsizetype> sourceStart; // per folded unit: first source unit of its character
    std::vector<qsizetype> sourceEnd;   // per folded unit: one past its character's source
    std::vector<bool> startsCharacter;  // the unit is the first one its character folds to
};

Folded fold(QStringView text, SearchOptions options) {
    Folded f;
    const bool literal = options & LiteralSearch;
    const bool caseless = options & CaseInsensitiveSearch;
    const bool diacritics = options & DiacriticInsensitiveSearch;
    const bool width = options & WidthInsensitiveSearch;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        const qsizetype start = i;
        char32_t cp = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < n && text[i + 1].isLowSurrogate()) {
            cp = QChar::surrogateToUcs4(text[i], text[i + 1]);
            i += 2;
        } else {
            ++i;
        }
        QString piece = QString::fromUcs4(&cp, 1);
        if (width) {
            const auto tag = QChar::decompositionTag(cp);
            if (tag == QChar::Wide || tag == QChar::Narrow)
                piece = QChar::decomposition(cp);
        }
        if (!literal || diacritics)
            piece = piece.normalized(QString::NormalizationForm_D);
        if (diacritics) {
            QString kept;
            for (const QChar c : piece) {
                if (c.category() != QChar::Mark_NonSpacing)
                    kept.append(c);
            }
            piece = kept;
        }
        if (caseless)
            piece = piece.toCaseFolded();
        for (qsizetype k = 0; k < piece.size(); ++k) {
            f.text.append(piece[k]);
            f.sourceStart.push_back(start);
            f.sourceEnd.push_back(i);
            f.startsCharacter.push_back(k == 0);
        }
    }
    return f;
}

Range foldedSearch(QStringView haystack, qsizetype offset, QStringView needle,
                   SearchOptions options) {
    const Folded hay = fold(haystack, options);
    const QString pin = fold(needle, options).text;
    if (pin.isEmpty())
        return Range::notFound();
    const bool backwards = options & BackwardsSearch;
    const bool anchored = options & AnchoredSearch;
    const bool literal = options & LiteralSearch;
    const qsizetype n = hay.text.size();
    // A match must begin and end on whole characters of the receiver, and without the
    // literal option it may not stop before a combining mark that belongs to its last letter.
    auto accept = [&](qsizetype at) -> std::optional<Range> {
        const qsizetype end = at + pin.size();
        if (!hay.startsCharacter[size_t(at)])
            return std::nullopt;
        if (end < n && !hay.startsCharacter[size_t(end)])
            return std::nullopt;
        if (!literal && end < n && hay.text[end].category() == QChar::Mark_NonSpacing)
            return std::nullopt;
        const qsizetype from = hay.sourceStart[size_t(at)];
        const qsizetype to = hay.sourceEnd[size_t(end - 1)];
        if (anchored && !backwards && from != 0)
            return std::nullopt;
        if (anchored && backwards && to != haystack.size())
            return std::nullopt;
        return Range{quint64(offset + from), quint64(to - from)};
    };
    const QStringView h(hay.text);
    if (!backwards) {
        for (qsizetype at = h.indexOf(pin); at >= 0; at = h.indexOf(pin, at + 1)) {
            if (auto r = accept(at))
                return *r;
            if (anchored)
                break;
        }
    } else {
        for (qsizetype at = lastIndexOf(h, pin, n); at >= 0; at = lastIndexOf(h, pin, at - 1)) {
            if (auto r = accept(at))
                return *r;
        }
    }
    return Range::notFound();
}

} // namespace

Range rangeOfString(QStringView receiver, QStringView needle, SearchOptions options, Range range) {
    const auto size = quint64(receiver.size());
    if (range.location > size || range.length > size - range.location)
        return Range::notFound();
    if (needle.isEmpty())
        return Range::notFound();
    const auto offset = qsizetype(range.location);
    const QStringView haystack = receiver.mid(offset, qsizetype(range.length));

    if (options & RegularExpressionSearch)
        return regexSearch(haystack, offset, needle, options);

    const bool simple = !(options & (DiacriticInsensitiveSearch | WidthInsensitiveSearch)) &&
                        ((options & LiteralSearch) || (isAscii(haystack) && isAscii(needle)));
    if (!simple)
        return foldedSearch(haystack, offset, needle, options);

    const Qt::CaseSensitivity cs =
        (options & CaseInsensitiveSearch) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const auto length = quint64(needle.size());
    if (options & AnchoredSearch) {
        const bool backwards = options & BackwardsSearch;
        const bool hit =
            backwards ? haystack.endsWith(needle, cs) : haystack.startsWith(needle, cs);
        if (!hit)
            return Range::notFound();
        return {quint64(offset) + (backwards ? quint64(haystack.size()) - length : 0), length};
    }
    const qsizetype at = (options & BackwardsSearch)
                             ? lastIndexOf(haystack, needle, haystack.size(), cs)
                             : haystack.indexOf(needle, 0, cs);
    if (at < 0)
        return Range::notFound();
    return {quint64(offset + at), length};
}

Range rangeOfString(QStringView receiver, QStringView needle, SearchOptions options) {
    return rangeOfString(receiver, needle, options, Range{0, quint64(receiver.size())});
}

} // namespace twk::strings

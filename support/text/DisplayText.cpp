#include "support/text/DisplayText.h"

#include <algorithm>

namespace twk::text {
namespace {

bool hidesItself(char32_t c) {
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

QString escaped(QStringView text, bool keepLines) {
    // Most names are printable ASCII, which shows itself: nothing to write out.
    if (std::all_of(text.begin(), text.end(),
                    [](QChar c) { return c.unicode() >= 0x20 && c.unicode() < 0x7F; }))
        return text.toString();
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        char32_t c = text[i].unicode();
        qsizetype length = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            length = 2;
        }
        if (hidesItself(c) && !(keepLines && (c == u'\n' || c == u'\t'))) {
            shown += c > 0xFFFF ? QStringLiteral("\\U%1").arg(uint(c), 8, 16, QLatin1Char('0'))
                                : QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
            // Upper-case hexadecimal digits, as Unicode writes code points.
            for (qsizetype k = shown.size() - (c > 0xFFFF ? 8 : 4); k < shown.size(); ++k)
                shown[k] = shown[k].toUpper();
        } else {
            shown.append(text.mid(i, length));
        }
        i += length;
    }
    return shown;
}

} // namespace

QString visibleText(QStringView text) {
    return escaped(text, false);
}

QString visibleLines(QStringView text) {
    return escaped(text, true);
}

QString markupSafeText(QStringView text) {
    return visibleText(text).toHtmlEscaped();
}

} // namespace twk::text

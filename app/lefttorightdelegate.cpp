// SPDX-License-Identifier: MIT
#include "app/lefttorightdelegate.h"

#include "convert/characters.h"

namespace {

// Characters that act on the rest of the line instead of standing for
// themselves: the paragraph and line breaks, which would end the line
// (Qt's styles draw an item's text on several lines), and Unicode's bidi
// controls, which would reorder it.
bool actsOnLine(char32_t c)
{
    const bool lineBreak = QChar::direction(c) == QChar::DirB || c == QChar::LineSeparator;
    // ALM, LRM, RLM; LRE to RLO; LRI to PDI.
    const bool bidiControl = c == 0x061C || c == 0x200E || c == 0x200F
                             || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
    return lineBreak || bidiControl;
}

// Characters that draw nothing (controls, format characters such as U+200D
// or U+FEFF, the Hangul fillers, a lone surrogate) or draw on their
// neighbour (combining marks, which would sit on the ":" before a row's
// character).
bool unseen(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing: return true;
    default: return c == 0x115F || c == 0x1160 || c == 0x3164 || c == 0xFFA0;
    }
}

constexpr char16_t leftToRightOverride = 0x202D;
constexpr char16_t popDirectionalFormatting = 0x202C;

QString shownText(QStringView text)
{
    // Inside the override every character counts as left-to-right; only a
    // bidi control or a paragraph break could end it, and none is left.
    QString shown;
    shown.reserve(text.size() + 2);
    shown += QChar(leftToRightOverride);
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = convert::characterLength(text, i);
        const char32_t c =
            length == 2 ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        if (actsOnLine(c) || unseen(c))
            shown += QStringLiteral("<U+%1>").arg(uint(c), 4, 16, QChar(u'0')).toUpper();
        else
            shown += text.mid(i, length);
        i += length;
    }
    shown += QChar(popDirectionalFormatting);
    return shown;
}

} // namespace

// The row's own text, not QStyledItemDelegate's, which has already turned
// a line feed into U+2028.
QString LeftToRightDelegate::displayText(const QVariant &value, const QLocale &) const
{
    return shownText(value.toString());
}

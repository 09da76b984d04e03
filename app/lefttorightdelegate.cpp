// SPDX-License-Identifier: MIT
#include "app/lefttorightdelegate.h"

namespace {

// Characters that act on the rest of the line instead of standing for
// themselves: the paragraph and line breaks, which would end the line
// (Qt's styles draw an item's text on several lines), and Unicode's bidi
// controls, which would reorder it.
bool actsOnLine(char16_t c)
{
    const bool lineBreak = QChar::direction(c) == QChar::DirB || c == QChar::LineSeparator;
    // ALM, LRM, RLM; LRE to RLO; LRI to PDI.
    const bool bidiControl = c == 0x061C || c == 0x200E || c == 0x200F
                             || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
    return lineBreak || bidiControl;
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
    for (const QChar c : text) {
        if (actsOnLine(c.unicode()))
            shown += QStringLiteral("<U+%1>").arg(c.unicode(), 4, 16, QChar(u'0')).toUpper();
        else
            shown += c;
    }
    shown += QChar(popDirectionalFormatting);
    return shown;
}

} // namespace

QString LeftToRightDelegate::displayText(const QVariant &value, const QLocale &locale) const
{
    return shownText(QStyledItemDelegate::displayText(value, locale));
}

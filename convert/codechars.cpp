// SPDX-License-Identifier: MIT
#include "convert/codechars.h"

#include "convert/characters.h"
#include "convert/cp936.h"
#include "convert/hexparser.h"

#include <QStringBuilder>

#include <array>

namespace convert {

QString upperCased(QStringView text)
{
    QString upper;
    upper.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const bool pair = characterLength(text, i) == 2;
        const char32_t c = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        char32_t u = QChar::toUpper(c);
        // A mapping that would change the length is not taken.
        if (QChar::requiresSurrogates(u) != pair)
            u = c;
        if (pair) {
            upper += QChar(QChar::highSurrogate(u));
            upper += QChar(QChar::lowSurrogate(u));
        } else {
            upper += QChar(char16_t(u));
        }
        i += pair ? 2 : 1;
    }
    return upper;
}

Lines CodesToChars(QStringView codes, Cp936 &codec)
{
    qsizetype start = 0;
    while (start < codes.size() && codes[start] == u' ')
        ++start;
    const QStringView rest = codes.mid(start);

    // Every blank ends a token, and the end of the text ends the last one,
    // as if one blank were appended: two blanks in a row give an empty
    // token between them, a trailing blank an empty last token.
    const QList<QStringView> HexTokens = rest.split(u' ');

    Lines lines;
    lines.reserve(HexTokens.size(), rest.size() + HexTokens.size() * 16);
    qsizetype number = 0;
    for (const QStringView token : HexTokens) {
        std::array<quint8, 2> CodeBytes;
        CodeBytes[0] = quint8(HexToLong(token.left(2)));
        CodeBytes[1] = quint8(HexToLong(token.mid(2, 2)));
        lines.append(u"序号:" % QString::number(++number) % u"  " % token % u" = "
                     % codec.decodePair(CodeBytes[0], CodeBytes[1]));
    }
    return lines;
}

QString textOfCodeCharLine(QStringView line)
{
    // "序号:" and a number without blanks, two blanks, the token (never a
    // blank in it, "=" possibly), " = ", the text (" =" possibly).
    constexpr QStringView number = u"序号:";
    constexpr QStringView equals = u" = ";
    if (!line.startsWith(number))
        return {};
    const qsizetype afterNumber = line.indexOf(u"  ", number.size());
    if (afterNumber < 0)
        return {};
    const qsizetype afterToken = line.indexOf(u' ', afterNumber + 2);
    if (afterToken < 0 || line.mid(afterToken, equals.size()) != equals)
        return {};
    return line.mid(afterToken + equals.size()).toString();
}

} // namespace convert

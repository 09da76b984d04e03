// SPDX-License-Identifier: MIT
#include "convert/codechars.h"

#include "convert/characters.h"
#include "convert/cp936.h"
#include "convert/hexparser.h"

#include <QStringBuilder>

#include <algorithm>
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

CodeRows::CodeRows(QStringView codes, Cp936 &codec)
{
    static_assert(sizeof(Row) == 16);
    qsizetype start = 0;
    while (start < codes.size() && codes[start] == u' ')
        ++start;
    m_codes = codes.mid(start).toString();

    // Every blank ends a token, and the end of the text ends the last one,
    // as if one blank were appended: two blanks in a row give an empty
    // token between them, a trailing blank an empty last token.
    const QList<QStringView> HexTokens = QStringView(m_codes).split(u' ');

    m_rows.reserve(HexTokens.size());
    for (const QStringView token : HexTokens) {
        std::array<quint8, 2> CodeBytes;
        CodeBytes[0] = quint8(HexToLong(token.left(2)));
        CodeBytes[1] = quint8(HexToLong(token.mid(2, 2)));
        const QString text = codec.decodePair(CodeBytes[0], CodeBytes[1]);
        Row row{quint32(token.data() - m_codes.constData()),
                quint32(token.size()),
                CodeBytes,
                {},
                quint8(text.size())};
        std::copy(text.begin(), text.end(), row.text.begin());
        m_rows.append(row);
    }
}

void CodeRows::appendWholeLine(qsizetype row, QString &out) const
{
    out += u"序号:" % QString::number(row + 1) % u"  " % token(row) % u" = " % text(row);
}

void CodeRows::appendLine(qsizetype row, QString &out) const
{
    const qsizetype from = out.size();
    appendWholeLine(row, out);
    cutAtNul(out, from);
}

int CodeRows::characters(qsizetype row, std::array<RowCharacter, 2> &out) const
{
    const Row &r = m_rows[row];
    const auto character = [&](int i, AnsiCode code) {
        code.unencodable = r.text[i] == QChar(QChar::ReplacementCharacter);
        if (code.unencodable)
            code = {{'?', 0}, 1, true};
        out[i] = {text(row).mid(i, 1), code};
    };
    // One character from a lead byte is the pair (or U+FFFD for a lead
    // byte whose trail byte is a NUL); otherwise each byte stands alone.
    if (r.textLength == 1 && r.bytes[0] >= 0x81 && r.bytes[0] <= 0xFE) {
        character(0, {r.bytes, 2, false});
        return 1;
    }
    for (int i = 0; i < r.textLength; ++i)
        character(i, {{r.bytes[i], 0}, 1, false});
    return r.textLength;
}

Lines CodesToChars(QStringView codes, Cp936 &codec)
{
    const CodeRows rows(codes, codec);
    Lines lines;
    lines.reserve(rows.size(), codes.size() + rows.size() * 16);
    QString line;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        line.clear();
        rows.appendWholeLine(i, line);
        lines.append(line);
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

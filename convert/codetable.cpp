// SPDX-License-Identifier: MIT
#include "convert/codetable.h"

#include "convert/cp936.h"

#include <QSet>

namespace convert {

namespace {

char32_t codePoint(QStringView character)
{
    return character.size() == 2 ? QChar::surrogateToUcs4(character[0], character[1])
                                 : character[0].unicode();
}

bool isControl(const AnsiCode &code)
{
    return !code.isDoubleByte() && (code.lead() <= 0x1F || code.lead() == 0x7F);
}

// The table's entry for `bytes` when it is one, as the code page decodes
// and encodes it.
std::optional<CodeTable::Entry> entryOf(Cp936 &codec, quint8 first, quint8 second)
{
    const QString character = codec.decodePair(first, second);
    if (character.size() != 1 || character[0] == QChar(QChar::ReplacementCharacter)
        || (character[0].unicode() >= 0xE000 && character[0].unicode() <= 0xF8FF))
        return std::nullopt;
    const AnsiCode code = codec.encode(character);
    const bool same = second == 0
                          ? !code.isDoubleByte() && code.lead() == first
                          : code.isDoubleByte() && code.lead() == first && code.trail() == second;
    if (code.unencodable || !same)
        return std::nullopt;
    return CodeTable::Entry{code, character[0]};
}

} // namespace

void CodeTable::appendLine(qsizetype row, QString &out) const
{
    const Entry &entry = m_entries[row];
    out += hexForm(quint16(entry.code.code16()));
    out += u'=';
    out += entry.character;
}

CodeTable tableOfRows(const Rows &rows, LeftOut &leftOut)
{
    CodeTable table;
    QSet<char32_t> seen;
    std::array<RowCharacter, 2> characters;
    for (qsizetype row = 0; row < rows.size(); ++row) {
        const int count = rows.characters(row, characters);
        if (count == 0)
            ++leftOut.empty;
        for (int i = 0; i < count; ++i) {
            const RowCharacter &c = characters[i];
            const char32_t point = codePoint(c.character);
            if (seen.contains(point))
                continue;
            seen.insert(point);
            if (c.code.unencodable)
                ++leftOut.unencodable;
            else if (isControl(c.code))
                ++leftOut.control;
            else
                table.append({c.code, c.character[0]});
        }
    }
    return table;
}

CodeTable wholeCodePage(Cp936 &codec)
{
    CodeTable table;
    const auto add = [&](quint8 first, quint8 second) {
        if (const auto entry = entryOf(codec, first, second))
            table.append(*entry);
    };
    for (int byte = 0x20; byte <= 0x7E; ++byte)
        add(quint8(byte), 0);
    add(0x80, 0);
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail != 0x7F)
                add(quint8(lead), quint8(trail));
        }
    }
    return table;
}

} // namespace convert

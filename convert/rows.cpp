// SPDX-License-Identifier: MIT
#include "convert/rows.h"

namespace convert {

namespace {

void appendByte(QString &out, quint8 byte)
{
    out += QStringLiteral("%1").arg(byte, 2, 16, QChar(u'0')).toUpper();
}

} // namespace

CodeLine codeLineOfRows(const Rows &rows, const QList<qsizetype> &selected)
{
    CodeLine line;
    std::array<RowCharacter, 2> characters;
    for (const qsizetype row : selected) {
        const int count = rows.characters(row, characters);
        for (int i = 0; i < count; ++i) {
            const AnsiCode &code = characters[i].code;
            if (code.unencodable) {
                line.codes.clear();
                line.refused = row;
                line.refusedCharacter = characters[i].character.toString();
                return line;
            }
            if (!line.codes.isEmpty())
                line.codes += u' ';
            appendByte(line.codes, code.lead());
            if (code.isDoubleByte())
                appendByte(line.codes, code.trail());
        }
    }
    return line;
}

QString textOfRows(const Rows &rows, const QList<qsizetype> &selected)
{
    QString text;
    std::array<RowCharacter, 2> characters;
    for (const qsizetype row : selected) {
        const int count = rows.characters(row, characters);
        for (int i = 0; i < count; ++i)
            text += characters[i].character;
    }
    return text;
}

} // namespace convert

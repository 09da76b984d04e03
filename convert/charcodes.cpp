// SPDX-License-Identifier: MIT
#include "convert/charcodes.h"

#include "convert/characters.h"
#include "convert/cp936.h"

#include <QStringBuilder>

namespace convert {

namespace {

void appendCharCodeLine(QString &out, qsizetype position, QStringView character,
                        const AnsiCode &code)
{
    // Note the blanks: four before "10进制:" for one byte, three for two.
    if (!code.isDoubleByte()) {
        const uint value = uint(code.code16());
        out += u"序号:" % QString::number(position) % u"   原字符:" % character % u"    10进制:"
               % QString::number(value) % u"   16进制:" % hexForm(value);
        return;
    }
    out += u"序号:" % QString::number(position) % u"   原字符:" % character % u"   10进制:"
           % QString::number(code.lead()) % u',' % QString::number(code.trail()) % u"   16进制:"
           % hexForm(code.lead()) % u' ' % hexForm(code.trail());
}

} // namespace

CharRows::CharRows(QStringView text, Cp936 &codec) : m_text(text.toString())
{
    static_assert(sizeof(Row) == 8);
    m_rows.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        const quint8 length = quint8(characterLength(text, i));
        const AnsiCode code = codec.encode(text.mid(i, length));
        m_rows.append(
            {quint32(i), length, quint8(code.size), quint8(code.unencodable), code.bytes});
        i += length;
    }
    m_rows.squeeze();
}

AnsiCode CharRows::code(qsizetype row) const
{
    const Row &r = m_rows[row];
    AnsiCode code;
    code.bytes = r.bytes;
    code.size = r.size;
    code.unencodable = r.unencodable != 0;
    return code;
}

void CharRows::appendWholeLine(qsizetype row, QString &out) const
{
    appendCharCodeLine(out, row + 1, character(row), code(row));
}

void CharRows::appendLine(qsizetype row, QString &out) const
{
    const qsizetype from = out.size();
    appendWholeLine(row, out);
    cutAtNul(out, from);
}

int CharRows::characters(qsizetype row, std::array<RowCharacter, 2> &out) const
{
    out[0] = {character(row), code(row)};
    return 1;
}

Lines CharsToCodes(QStringView text, Cp936 &codec)
{
    const CharRows rows(text, codec);
    Lines lines;
    // A line is about 40 characters; reserving spares the copies of growth.
    lines.reserve(rows.size(), text.size() * 44);
    QString line;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        line.clear();
        rows.appendWholeLine(i, line);
        lines.append(line);
    }
    return lines;
}

QString codeOfCharCodeLine(QStringView line)
{
    constexpr QStringView marker = u"16进制:";
    const qsizetype at = line.lastIndexOf(marker);
    if (at < 0)
        return {};
    QString code;
    for (const QStringView byte : line.mid(at + marker.size()).split(u' ', Qt::SkipEmptyParts)) {
        // The lines drop leading zeros ("9" for a tab); a code line has
        // two digits per byte.
        if (byte.size() == 1)
            code += u'0';
        code += byte;
    }
    return code;
}

} // namespace convert

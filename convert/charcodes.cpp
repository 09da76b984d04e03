// SPDX-License-Identifier: MIT
#include "convert/charcodes.h"

#include "convert/characters.h"
#include "convert/cp936.h"

#include <QStringBuilder>

namespace convert {

namespace {

void appendCharCodeLine(Lines &lines, qsizetype position, QStringView character,
                        const AnsiCode &code)
{
    // Note the blanks: four before "10进制:" for one byte, three for two.
    if (!code.isDoubleByte()) {
        const uint value = uint(code.code16());
        lines.append(u"序号:" % QString::number(position) % u"   原字符:" % character
                     % u"    10进制:" % QString::number(value) % u"   16进制:" % hexForm(value));
        return;
    }
    lines.append(u"序号:" % QString::number(position) % u"   原字符:" % character % u"   10进制:"
                 % QString::number(code.lead()) % u',' % QString::number(code.trail())
                 % u"   16进制:" % hexForm(code.lead()) % u' ' % hexForm(code.trail()));
}

} // namespace

Lines CharsToCodes(QStringView text, Cp936 &codec)
{
    Lines lines;
    // A line is about 40 characters; reserving spares the copies of growth.
    lines.reserve(text.size(), text.size() * 44);
    qsizetype position = 0;
    for (qsizetype i = 0; i < text.size();) {
        const QStringView character = text.mid(i, characterLength(text, i));
        appendCharCodeLine(lines, ++position, character, codec.encode(character));
        i += character.size();
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

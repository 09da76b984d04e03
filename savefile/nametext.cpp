// SPDX-License-Identifier: MIT
#include "savefile/nametext.h"

#include "convert/characters.h"
#include "convert/cp936.h"
#include "convert/hexparser.h"

#include <QByteArray>
#include <QList>

#include <algorithm>

namespace savefile {

namespace {

// Two bytes a box, from box `first` on; boxes past the bytes stay empty.
HexBoxes boxesForBytes(const QByteArray &bytes, int first)
{
    HexBoxes boxes;
    for (qsizetype at = 0; at < bytes.size(); at += cellSize)
        boxes[first + at / cellSize] =
            QString::fromLatin1(bytes.mid(at, cellSize).toHex().toUpper());
    return boxes;
}

bool isControl(char16_t unit)
{
    return unit < 0x20 || unit == 0x7F;
}

} // namespace

NameBoxes hexBoxesForName(QStringView typed, convert::Cp936 &codec)
{
    NameBoxes result;
    QString name = typed.toString().normalized(QString::NormalizationForm_C);
    while (name.endsWith(u'\n') || name.endsWith(u'\r'))
        name.chop(1);
    QByteArray bytes;
    for (qsizetype at = 0; at < name.size();) {
        const QStringView character = QStringView(name).mid(at, convert::characterLength(name, at));
        if (isControl(character[0].unicode())) {
            result.refusal = NameBoxes::Refusal::Control;
            result.character = character.toString();
            return result;
        }
        const convert::AnsiCode code = codec.encode(character);
        if (code.unencodable) {
            result.refusal = NameBoxes::Refusal::Unencodable;
            result.character = character.toString();
            return result;
        }
        bytes.append(reinterpret_cast<const char *>(code.bytes.data()), code.size);
        at += character.size();
    }
    if (bytes.size() > slotSize) {
        result.refusal = NameBoxes::Refusal::TooLong;
        result.byteCount = int(bytes.size());
        return result;
    }
    result.boxes = boxesForBytes(bytes, 0);
    return result;
}

NameBoxes hexBoxesForCodeLine(QStringView line, int first)
{
    Q_ASSERT(first >= 0 && first < cellCount);
    NameBoxes result;
    QByteArray bytes;
    const QString simplified = line.toString().simplified();
    for (const QStringView token : QStringView(simplified).split(u' ', Qt::SkipEmptyParts)) {
        bool isHex = token.size() <= 4;
        const uint value = isHex ? token.toUInt(&isHex, 16) : 0;
        // toUInt() would take a sign or "0x"; only digits are a code.
        isHex = isHex && std::all_of(token.begin(), token.end(), convert::isHexDigit);
        if (!isHex) {
            result.refusal = NameBoxes::Refusal::NotACode;
            result.character = token.toString();
            return result;
        }
        if (token.size() > 2)
            bytes.append(char(value >> 8));
        bytes.append(char(value & 0xFF));
    }
    if (bytes.size() > (cellCount - first) * cellSize) {
        result.refusal = NameBoxes::Refusal::TooLong;
        result.byteCount = int(bytes.size());
        return result;
    }
    result.boxes = boxesForBytes(bytes, first);
    return result;
}

QString slotName(const SlotBytes &bytes, convert::Cp936 &codec)
{
    QString name;
    for (int at = 0; at < slotSize;) {
        const quint8 byte = bytes[at];
        if (byte == 0) {
            at = (at / cellSize + 1) * cellSize;
        } else if (convert::isLeadByte(byte) && at + 1 < slotSize && bytes[at + 1] != 0) {
            name += codec.decodePair(byte, bytes[at + 1]);
            at += 2;
        } else {
            name += codec.decodePair(byte, 0);
            at += 1;
        }
    }
    return name;
}

} // namespace savefile

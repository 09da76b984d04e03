// SPDX-License-Identifier: MIT
#include "savefile/nametext.h"

#include "convert/cp936.h"

#include <QByteArray>

namespace savefile {

namespace {

bool isLeadByte(quint8 byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}

// One character: a single UTF-16 unit or a surrogate pair.
qsizetype characterLength(QStringView text, qsizetype at)
{
    return text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate() ? 2
                                                                                               : 1;
}

} // namespace

NameBoxes hexBoxesForName(QStringView name, convert::Cp936 &codec)
{
    NameBoxes result;
    QByteArray bytes;
    for (qsizetype at = 0; at < name.size();) {
        const QStringView character = name.mid(at, characterLength(name, at));
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
    for (int cell = 0; cell * cellSize < bytes.size(); ++cell)
        result.boxes[cell] =
            QString::fromLatin1(bytes.mid(cell * cellSize, cellSize).toHex().toUpper());
    return result;
}

QString slotName(const SlotBytes &bytes, convert::Cp936 &codec)
{
    QString name;
    for (int at = 0; at < slotSize;) {
        const quint8 byte = bytes[at];
        if (byte == 0) {
            at = (at / cellSize + 1) * cellSize;
        } else if (isLeadByte(byte) && at + 1 < slotSize && bytes[at + 1] != 0) {
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

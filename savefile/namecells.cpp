// SPDX-License-Identifier: MIT
#include "savefile/namecells.h"

#include "convert/cp936.h"
#include "convert/hexparser.h"

#include <algorithm>

namespace savefile {

SlotBytes slotBytesFromHexBoxes(const HexBoxes &boxes)
{
    SlotBytes bytes{};
    for (int cell = 0; cell < cellCount; ++cell) {
        const QStringView box(boxes[cell]);
        // Two units at most give at most FF, so the value is one byte as is.
        bytes[cell * cellSize] = quint8(convert::HexToLong(box.mid(0, 2)));
        bytes[cell * cellSize + 1] = quint8(convert::HexToLong(box.mid(2, 2)));
    }
    return bytes;
}

BoxFlaws hexBoxFlaws(QStringView box)
{
    BoxFlaws flaws;
    const QStringView digits = box.left(2 * cellSize);
    flaws.nonHexDigit =
        std::any_of(digits.begin(), digits.end(), [](QChar c) { return !convert::isHexDigit(c); });
    flaws.extraUnits = box.size() > digits.size();
    return flaws;
}

QString cellHex(const SlotBytes &bytes, int cell, QStringView separator)
{
    const auto hex = [](quint8 byte) {
        return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
    };
    QString text = hex(bytes[cell * cellSize]);
    text += separator;
    text += hex(bytes[cell * cellSize + 1]);
    return text;
}

CellNames decodeNameCells(const SlotBytes &bytes, convert::Cp936 &codec)
{
    CellNames names;
    for (int cell = 0; cell < cellCount; ++cell)
        names[cell] = codec.decodePair(bytes[cell * cellSize], bytes[cell * cellSize + 1]);
    return names;
}

} // namespace savefile

#include "savefile/namecells.h"

#include "convert/cp936.h"
#include "convert/hexparser.h"

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

CellNames decodeNameCells(const SlotBytes &bytes, convert::Cp936 &codec)
{
    CellNames names;
    for (int cell = 0; cell < cellCount; ++cell)
        names[cell] = codec.decodePair(bytes[cell * cellSize], bytes[cell * cellSize + 1]);
    return names;
}

} // namespace savefile

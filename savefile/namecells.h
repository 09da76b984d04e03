#pragma once

#include "savefile/slottable.h"

#include <QString>

#include <array>

namespace convert { class Cp936; }

namespace savefile {

// The texts of the four hexadecimal boxes, cell 1 first.
using HexBoxes = std::array<QString, cellCount>;

// The texts shown for the four cells, cell 1 first.
using CellNames = std::array<QString, cellCount>;

// The slot bytes typed into the four boxes. In each box, UTF-16 units 1-2
// give the cell's first byte and units 3-4 its second, each through
// HexToLong; a half with no units gives 0 and units after the fourth are
// ignored: "D5C5" gives D5 C5, "41" gives 41 00, "D5C" gives D5 0C.
[[nodiscard]] SlotBytes slotBytesFromHexBoxes(const HexBoxes &boxes);

// Each cell's two bytes decoded together as code page 936, cut at the first
// zero byte: D5 C5 gives 张, 41 42 gives AB, 41 00 gives A, 00 41 nothing.
// A pair that is no valid code page 936 text gives the codec's replacement.
[[nodiscard]] CellNames decodeNameCells(const SlotBytes &bytes, convert::Cp936 &codec);

} // namespace savefile

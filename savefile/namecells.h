// SPDX-License-Identifier: MIT
#pragma once

#include "savefile/slottable.h"

#include <QString>
#include <QStringView>

#include <array>

namespace convert {
class Cp936;
}

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

// What slotBytesFromHexBoxes makes of a box's text other than its digits.
struct BoxFlaws {
    // A unit among the first four is no hexadecimal digit: it counts as 0
    // and the units after it in the same half are ignored ("5G", "D5 C5").
    bool nonHexDigit = false;
    // The text is longer than four units; the rest is ignored.
    bool extraUnits = false;

    bool any() const { return nonHexDigit || extraUnits; }
};

// The flaws of one box's text; an empty text or one to four hexadecimal
// digits has none.
[[nodiscard]] BoxFlaws hexBoxFlaws(QStringView box);

// A cell's two bytes as two upper-case hexadecimal digits each, with
// `separator` between them: D5 C5 gives "D5C5", or "D5 C5" with a blank.
[[nodiscard]] QString cellHex(const SlotBytes &bytes, int cell, QStringView separator = {});

// Each cell's two bytes decoded together as code page 936, cut at the first
// zero byte: D5 C5 gives 张, 41 42 gives AB, 41 00 gives A, 00 41 nothing.
// A pair that is no valid code page 936 text gives the codec's replacement.
[[nodiscard]] CellNames decodeNameCells(const SlotBytes &bytes, convert::Cp936 &codec);

} // namespace savefile

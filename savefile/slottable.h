// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

#include <array>

namespace savefile {

// The save file holds the names of the four custom characters in four slots
// of eight bytes, 64 bytes apart: slot 1 starts at offset 1724, slot 4 at
// 1916. A slot is four cells of two bytes, one character cell each.
inline constexpr int slotCount = 4;
inline constexpr int slotSize = 8;
inline constexpr int cellCount = 4;
inline constexpr int cellSize = 2;
inline constexpr qint64 slotOneOffset = 1724;
inline constexpr qint64 slotSpacing = 64;

// The eight bytes of one slot, in file order.
using SlotBytes = std::array<quint8, slotSize>;

// The offset of the first byte of `slot` (1 to slotCount).
constexpr qint64 firstOffset(int slot)
{
    return slotOneOffset + slotSpacing * (slot - 1);
}

constexpr bool isSlot(int slot)
{
    return slot >= 1 && slot <= slotCount;
}

} // namespace savefile

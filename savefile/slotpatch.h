// SPDX-License-Identifier: MIT
#pragma once

#include "savefile/slotfile.h"

namespace savefile {

// What a write may do first, in the same open as the write itself.
struct BeforeWrite {
    SlotBytes *before = nullptr;         // read the old bytes into it
    const SlotBytes *expected = nullptr; // write only if they are these
    bool create = true;                  // create a missing file
};

// Opens the file at `path`, does `first`, writes `bytes` over `slot`, then
// syncs and closes it, every step checked: the one writing path behind
// writeSlot, swapSlot and writeSlotIfHolds (slotfile_posix.cpp,
// slotfile_win.cpp).
[[nodiscard]] std::optional<SlotError> patchSlot(const QString &path, int slot,
                                                 const SlotBytes &bytes, const BeforeWrite &first);

} // namespace savefile

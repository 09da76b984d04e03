// SPDX-License-Identifier: MIT
#include "savefile/slotfile.h"

#include "savefile/slotpatch.h"

namespace savefile {

std::optional<SlotError> writeSlot(const QString &path, int slot, const SlotBytes &bytes)
{
    return patchSlot(path, slot, bytes, {});
}

SlotSwap swapSlot(const QString &path, int slot, const SlotBytes &bytes)
{
    SlotSwap result;
    result.error = patchSlot(path, slot, bytes, {&result.before});
    return result;
}

std::optional<SlotError> writeSlotIfHolds(const QString &path, int slot, const SlotBytes &expected,
                                          const SlotBytes &bytes)
{
    SlotBytes current{};
    return patchSlot(path, slot, bytes, {&current, &expected, false});
}

} // namespace savefile

// SPDX-License-Identifier: MIT
#pragma once

#include "savefile/slottable.h"

#include <QString>

#include <optional>

namespace savefile {

// The step at which reading or writing a slot failed.
enum class SlotStep {
    NotRegularFile, // a folder, FIFO, device or socket; refused, never read or written
    Open,           // also a missing folder on the path, or no permission
    Read,
    Write,
    ShortWrite, // fewer than the slot's eight bytes were written
    Flush,
    Close,
    Changed, // the slot no longer holds the bytes a conditional write expects
};

struct SlotError {
    SlotStep step;
    int code = 0; // the system's error code of that step; 0 when there is none
    // A write that failed after it began (short write, sync) puts back the
    // bytes and the length it found; this is set when even that failed, so
    // the slot may hold part of the new bytes.
    bool mayBeDamaged = false;
};

struct SlotRead {
    SlotBytes bytes{};
    std::optional<SlotError> error;
};

// The eight bytes of `slot` (1 to 4) of the file at `path`. Bytes past the
// end of the file read as zero. An existing file is opened read-only, so
// none of its bytes, its length or its times change; a missing file is
// created empty. On failure `error` is set and `bytes` are all zero.
[[nodiscard]] SlotRead readSlot(const QString &path, int slot);

// Writes `bytes` over `slot` (1 to 4) of the file at `path`, in place: the
// file is patched, never truncated or replaced, and keeps its length when it
// already reaches past the slot. A missing file is created, zeros up to the
// slot. The bytes are flushed to disk before the file is closed. A file
// without any write permission is refused (SlotStep::Open), as root too.
// Returns the first failing step, or nothing when all of them succeeded; a
// write that fails part way puts the old bytes and length back.
[[nodiscard]] std::optional<SlotError> writeSlot(const QString &path, int slot,
                                                 const SlotBytes &bytes);

struct SlotSwap {
    SlotBytes before{}; // the bytes the write replaced
    std::optional<SlotError> error;
};

// As writeSlot, after reading the slot's old bytes in the same open (zeros
// past the end of the file), so that the write can be taken back. A failed
// read writes nothing.
[[nodiscard]] SlotSwap swapSlot(const QString &path, int slot, const SlotBytes &bytes);

// As writeSlot, but only if the slot still holds all eight bytes of
// `expected`, read in the same open; otherwise SlotStep::Changed and nothing
// is written. A missing file is not created: it fails to open.
[[nodiscard]] std::optional<SlotError>
writeSlotIfHolds(const QString &path, int slot, const SlotBytes &expected, const SlotBytes &bytes);

} // namespace savefile

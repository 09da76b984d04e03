// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace gamefile {

enum class PatchStep {
    NotRegularFile, // a folder, FIFO, device or socket: refused, nothing written
    Open,           // also a read-only file, as root too
    Read,
    Write,
    ShortWrite, // fewer bytes than asked were written
    Flush,
    Close,
};

struct PatchError {
    PatchStep step;
    int code = 0; // the system's error code of that step; 0 when there is none
};

struct PatchEnd {
    QList<qint64> written; // the offsets written, in the order given
    qsizetype skipped = 0; // offsets that no longer held `expected`
    std::optional<PatchError> error;
};

// Writes `bytes` at each of `offsets` in the file at `path`, in place,
// where the file still holds `expected` (as long as `bytes`), read again
// in the same open just before; other offsets are skipped and counted.
// Each write is positioned, so the file's length, every other byte, its
// identity, owner and mode stay as they are; the file is synced before it
// is closed. A missing file is not created. On failure `written` holds
// the offsets fully written before the failing step, and a write cut
// short puts back the bytes it found there.
PatchEnd patchWhereHolds(const QString &path, const QList<qint64> &offsets,
                         const QByteArray &expected, const QByteArray &bytes);

} // namespace gamefile

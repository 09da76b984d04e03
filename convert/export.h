// SPDX-License-Identifier: MIT
#pragma once

#include "convert/lines.h"
#include "convert/rows.h"

#include <QString>

#include <optional>

namespace convert {

class Cp936;

// The step at which an export failed.
enum class ExportStep {
    NotRegularFile, // a folder, FIFO, device or socket; refused before it is opened
    Open,           // the file (or the temporary file beside it) could not be made
    Write,          // also a full disk or a file size limit
    Flush,
    Close,
    Replace, // the finished temporary file could not take the target's name
    // An in-place rewrite failed (`code` says why) and the old content
    // could not be put back either: the file may be damaged.
    Restore,
};

struct ExportError {
    ExportStep step;
    int code = 0; // the system's error code of that step; 0 when there is none
};

// How an export's text is encoded. Code page 936 is the result lists';
// table files (码表) are read by editors in UTF-16 with a byte-order mark or
// in UTF-8 without one.
enum class TextEncoding {
    Cp936,
    Utf16LittleEndianWithBom,
    Utf8,
};

// Writes the lines of `lines` to the file at `path`, exactly that path:
// each line in `encoding` followed by CR LF, a byte-order mark only for
// UTF-16, nothing after the last line end. In code page 936 a character it
// cannot hold is written as "?".
//
// The content goes to a temporary file beside the target (an unnamed one
// where the file system allows), which takes the owner, group, mode and
// extended attributes (ACLs among them) of the file it replaces, and
// replaces it only once every byte is written and synced; on any failure
// the target is left as it was and no temporary file remains. A symbolic
// link, or a chain of them, is followed: the file it names is replaced.
//
// Where the target exists but cannot be replaced that way (no file can be
// made beside it, its attributes cannot be carried over, or the rename is
// refused, as in a shared sticky folder), the target itself is rewritten
// in place. Its old content, up to `inPlaceLimit` bytes, is kept in memory
// first, the new content's space reserved without changing the length,
// and on a failure at any later step the old bytes and length are put
// back and the reserved space freed; where even that fails, the step is
// Restore.
[[nodiscard]] std::optional<ExportError> exportLines(const QString &path, const Rows &lines,
                                                     Cp936 &codec,
                                                     TextEncoding encoding = TextEncoding::Cp936);

// The largest file that is rewritten in place (256 MiB); a larger one is
// refused rather than rewritten without its old content at hand.
inline constexpr qint64 inPlaceLimit = qint64(256) << 20;

} // namespace convert

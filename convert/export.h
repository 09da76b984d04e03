// SPDX-License-Identifier: MIT
#pragma once

#include "convert/lines.h"

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
};

struct ExportError {
    ExportStep step;
    int code = 0; // the system's error code of that step; 0 when there is none
};

// Writes `lines` to the file at `path`, exactly that path: each line in
// code page 936 followed by CR LF, no byte-order mark, nothing after the
// last line end. A character the code page cannot hold is written as "?".
//
// The content goes to a temporary file beside the target, which takes the
// owner, group and mode of the file it replaces (as far as the process
// may) and replaces it only once every byte is written and synced; on any
// failure the target is left as it was and no temporary file remains. A
// symbolic link is followed: the file it names is replaced.
//
// Where no file can be made beside an existing target (a folder the user
// may not write to), the target itself is rewritten in place, its space
// reserved first; a failure part-way then leaves it cut short.
[[nodiscard]] std::optional<ExportError> exportLines(const QString &path, const Lines &lines,
                                                     Cp936 &codec);

} // namespace convert

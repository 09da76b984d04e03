#pragma once

#include "convert/lines.h"

#include <QString>

#include <optional>

namespace convert {

class Cp936;

// Writes `lines` to the file at `path`, exactly that path: each line in
// code page 936 followed by CR LF, no byte-order mark, nothing after the
// last line end. A character the code page cannot hold is written as "?".
//
// The content goes to a temporary file beside the target, which replaces
// the target only once every byte is written and flushed; on any failure
// the target is left as it was and no temporary file remains. A path that
// exists but is no regular file (a folder, a FIFO, a device) is refused
// before it is opened.
//
// Returns the system's reason on failure, nothing on success.
[[nodiscard]] std::optional<QString> exportLines(const QString &path, const Lines &lines,
                                                 Cp936 &codec);

} // namespace convert

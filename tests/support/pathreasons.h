// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The reason a failure's message gives below its sentence, in the
// platform's words, each with its line break: Linux has an error code for
// a folder, Windows none; a missing folder is a missing file or folder on
// Linux, a missing path on Windows.
QString folderReason();
QString missingFolderReason();

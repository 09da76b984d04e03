// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Why a name typed into a file chooser, or a path a system dialog gave,
// would not name the file it seems to, in Chinese, or "" when it may be
// used as it stands. Qt's chooser reads a '"' as the start of a quoted
// name ("a"b.txt" gives b.txt), and Windows drops a name's trailing dots
// and blanks (x.txt. is x.txt) and takes CON or nul.txt for a device: a
// file would be read or written under a name the user did not choose,
// without being asked.
QString typedFileNameProblem(const QString &typed);

// The platform's own rules for names (typedfilename_posix.cpp,
// typedfilename_win.cpp); "" when it has none to add.
QString platformFileNameProblem(const QString &typed);

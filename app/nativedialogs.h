// SPDX-License-Identifier: MIT
#pragma once

// Whether the file choosers are the system's own dialogs: Windows' common
// dialog on Windows (nativedialogs_win.cpp), which users know from every
// other program and which speaks Windows' display language; Qt's own
// chooser elsewhere (nativedialogs_posix.cpp), since a desktop's may speak
// another language and read the files it lists.
bool choosersAreNative();

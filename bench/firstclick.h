// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// The first click on a button of a freshly started Vemdra, in this
// process: it starts as the program does (the same start-up functions, the
// real dialogs), shows the main window, waits until it is painted and the
// program is idle, then clicks. `button` is one of
//   "convert"  转换 on the character page, with 张三 ABC typed: until the
//              list is painted
//   "export"   导出结果 on the character page, after a conversion: until
//              the save chooser is painted (then cancelled)
//   "choose"   设置 on the save-file page: until the open chooser is
//              painted (then cancelled)
// The choosers open in the current folder. Returns the milliseconds, or -1
// when the click did not do its work.
double firstClickMilliseconds(int argc, char *argv[], const QString &button);

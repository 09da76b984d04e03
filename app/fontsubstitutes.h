// SPDX-License-Identifier: MIT
#pragma once

// Lets the font faces that the forms name fall back to faces that Windows
// or a Linux desktop has: "楷体_GB2312", the Kai face of the about window's
// title, to KaiTi (Windows) or "AR PL UKai CN" (fonts-arphic-ukai), and
// Chinese in the default face to Microsoft YaHei or SimSun (Windows) or
// "Noto Sans CJK SC". A machine that has the named face still uses it.
// Call once, after the application object and before the first window.
void installFontSubstitutes();

// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

// The program icon, an application window with a text field, at every
// size drawn for it: 16, 24, 32 and 48 pixels. Both windows show it.
QIcon programIcon();

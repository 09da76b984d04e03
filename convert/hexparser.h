// SPDX-License-Identifier: MIT
#pragma once

#include <QStringView>
#include <QtGlobal>

namespace convert {

// Reads a short text of hexadecimal digits ("D6", "c8") and never fails.
//
// Each digit weighs 16 to the power of the number of characters after it in
// the whole text, digits or not. The first non-digit ends the scan with the
// total so far: "D6 " gives 0xD60, " D6" gives 0. A digit that would take
// the total past 2147483647 is skipped and the scan goes on. Only 0-9, a-f
// and A-F are digits. The result lies in 0 ... 2147483647; a text of at most
// two characters gives at most 255.
qint32 HexToLong(QStringView text);

// True for the characters HexToLong reads as digits: 0-9, a-f and A-F.
bool isHexDigit(QChar c);

} // namespace convert

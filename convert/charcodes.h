// SPDX-License-Identifier: MIT
#pragma once

#include "convert/ansicode.h"
#include "convert/lines.h"

#include <QString>
#include <QStringView>

namespace convert {

class Cp936;

// One line per character of `text`, numbered from 1:
//   one byte:  "序号:1   原字符:A    10进制:65   16进制:41"
//   two bytes: "序号:1   原字符:只   10进制:214,187   16进制:D6 BB"
// A surrogate pair is one character; a lone surrogate is one character
// too. A character outside code page 936 is shown with the code of "?".
Lines CharsToCodes(QStringView text, Cp936 &codec);

// The code of one CharsToCodes line as CodesToChars reads it: the bytes
// after the last "16进制:", two hexadecimal digits each, run together.
// "...16进制:D6 BB" gives "D6BB", "...16进制:9" gives "09"; a line without
// "16进制:" gives "".
QString codeOfCharCodeLine(QStringView line);

} // namespace convert

#pragma once

#include "convert/ansicode.h"

#include <QStringList>
#include <QStringView>

namespace convert {

class Cp936;

// The list line for the character at 1-based position `position`:
//   one byte:  "序号:1   原字符:A    10进制:65   16进制:41"
//   two bytes: "序号:1   原字符:只   10进制:214,187   16进制:D6 BB"
QString charCodeLine(qsizetype position, QStringView character, const AnsiCode &code);

// One line per character of `text`, numbered from 1. A surrogate pair is
// one character; a lone surrogate is one character, encoded as "?".
QStringList CharsToCodes(QStringView text, Cp936 &codec);

} // namespace convert

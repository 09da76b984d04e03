// SPDX-License-Identifier: MIT
#pragma once

#include "convert/lines.h"

#include <QString>
#include <QStringView>

namespace convert {

class Cp936;

// Every lower-case letter replaced by its upper-case letter, one for one,
// so the text keeps its length ("ß" stays, rather than becoming "SS").
QString upperCased(QStringView text);

// The list lines for a line of blank-separated hexadecimal codes:
// "序号:1  D6BB = 只", one per token, however many.
//
// Leading blanks are dropped and one blank is appended, then every blank
// ends a token, so two blanks in a row give an empty token and trailing
// blanks give empty tokens at the end. Only the ordinary blank (U+0020)
// separates. The first two characters of a token give its first byte and
// the next two its second byte (through HexToLong); the pair is decoded as
// code page 936 text up to its first NUL.
Lines CodesToChars(QStringView codes, Cp936 &codec);

// The decoded text of one CodesToChars line, whatever its token holds:
// "序号:1  D6BB = 只" gives "只", "序号:2   = " gives "". A line not in that
// form gives "".
QString textOfCodeCharLine(QStringView line);

} // namespace convert

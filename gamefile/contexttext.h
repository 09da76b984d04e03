// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QString>

namespace convert {
class Cp936;
}

namespace gamefile {

// Bytes of a game file decoded as code page 936, as a hit's line shows
// them: each valid character as itself; a byte that makes no character (a
// control, 00-1F and 7F, a lead byte without a valid trail byte, a byte
// the table leaves undefined) as its code in angle brackets, "<0A>".
// Appended to `out`.
void appendDecoded(convert::Cp936 &codec, QByteArrayView bytes, QString &out);

} // namespace gamefile

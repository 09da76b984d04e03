// SPDX-License-Identifier: MIT
#pragma once

#include "savefile/namecells.h"

#include <QString>
#include <QStringView>

namespace convert {
class Cp936;
}

namespace savefile {

// The hexadecimal boxes for a name typed as text or a pasted code line,
// or why it cannot be one.
struct NameBoxes {
    enum class Refusal {
        None,
        Unencodable, // `character` has no code page 936 code
        TooLong,     // `byteCount` bytes, more than the boxes hold
        Control,     // `character` is a control character (00 to 1F, 7F)
        NotACode,    // `character` is a pasted token that is not 1 to 4 hexadecimal digits
    };

    HexBoxes boxes; // set only when `refusal` is None
    Refusal refusal = Refusal::None;
    QString character;
    int byteCount = 0;
};

// The name's code page 936 bytes in order, four hexadecimal digits (two
// bytes) per box, upper case, as a user would type them; an odd count ends
// with a two-digit box, and boxes past the name stay empty. So the boxes
// write exactly the name's bytes, zeros after them, even where a one-byte
// character puts a two-byte one across two cells ("A张" gives "41D5",
// "C5"). The name is taken in composed form (NFC), so a decomposed "é"
// is the code page's A8A6, and a line end copied with it is dropped. The
// first control character or character the code page cannot hold refuses
// the name, and so does a name of more than eight bytes.
[[nodiscard]] NameBoxes hexBoxesForName(QStringView name, convert::Cp936 &codec);

// A pasted line of codes separated by blanks or line ends, laid out by its bytes exactly as
// a name of the same bytes is, from box `first` (0 to 3) on: the boxes
// from there on are set, those before it are left to the caller. A token
// of one or two digits is one byte, of three or four two bytes, lead byte
// first ("41 42 43" gives "4142", "43"). A token that is not 1 to 4
// hexadecimal digits refuses the line, and so do more bytes than the boxes
// from `first` on hold.
[[nodiscard]] NameBoxes hexBoxesForCodeLine(QStringView line, int first);

// The slot's bytes read in order, as the game reads them: a two-byte
// character may start in one cell and end in the next ("41 D5 C5 00"
// gives "A张"), and a zero byte ends its cell, as on the page. A byte pair
// that is no valid code page 936 text gives the codec's replacement.
[[nodiscard]] QString slotName(const SlotBytes &bytes, convert::Cp936 &codec);

} // namespace savefile

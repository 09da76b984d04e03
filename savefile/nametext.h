// SPDX-License-Identifier: MIT
#pragma once

#include "savefile/namecells.h"

#include <QString>
#include <QStringView>

namespace convert {
class Cp936;
}

namespace savefile {

// The hexadecimal boxes for a name typed as text, or why it cannot be one.
struct NameBoxes {
    enum class Refusal {
        None,
        Unencodable, // `character` has no code page 936 code
        TooLong,     // the name needs `byteCount` bytes, more than a slot holds
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
// "C5"). The first character the code page cannot hold refuses the name,
// and so does a name of more than eight bytes.
[[nodiscard]] NameBoxes hexBoxesForName(QStringView name, convert::Cp936 &codec);

// The slot's bytes read in order, as the game reads them: a two-byte
// character may start in one cell and end in the next ("41 D5 C5 00"
// gives "A张"), and a zero byte ends its cell, as on the page. A byte pair
// that is no valid code page 936 text gives the codec's replacement.
[[nodiscard]] QString slotName(const SlotBytes &bytes, convert::Cp936 &codec);

} // namespace savefile

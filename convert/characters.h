// SPDX-License-Identifier: MIT
#pragma once

#include <QStringView>

namespace convert {

// The length in UTF-16 units of the character that starts at `i`: 2 for a
// surrogate pair, 1 for anything else, a lone surrogate included.
inline qsizetype characterLength(QStringView text, qsizetype i)
{
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
}

} // namespace convert

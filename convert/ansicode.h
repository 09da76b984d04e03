// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

namespace convert {

// One character encoded by itself in code page 936: a single byte, or a
// lead byte (0x81-0xFE) followed by a trail byte.
struct AnsiCode {
    std::array<quint8, 2> bytes{};
    int size = 1;
    // The code page cannot hold the character: "?" (3F) stands in for it,
    // which is how a real "?" and an unencodable character differ.
    bool unencodable = false;

    bool isDoubleByte() const { return size == 2; }
    quint8 lead() const { return bytes[0]; }
    quint8 trail() const { return bytes[1]; }

    // The byte itself, or lead * 256 + trail read as a signed 16-bit number
    // (always negative, since every lead byte is 0x81 or above).
    qint16 code16() const
    {
        return size == 1 ? qint16(bytes[0]) : qint16(quint16(bytes[0] << 8 | bytes[1]));
    }
};

// Upper-case hexadecimal without leading zeros: "9", "41", "D6".
inline QString hexForm(uint value)
{
    return QString::number(value, 16).toUpper();
}

} // namespace convert

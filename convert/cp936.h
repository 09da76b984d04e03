// SPDX-License-Identifier: MIT
#pragma once

#include "convert/ansicode.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <memory>
#include <optional>

namespace convert {

// A byte that starts a two-byte character when a valid trail byte follows.
inline bool isLeadByte(quint8 byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}

// The Windows code page 936 table, whatever the system locale says: on
// Linux through ICU's "windows-936" converter (cp936_icu.cpp), on Windows
// through the system's own (cp936_win.cpp). Every character the table
// cannot hold is encoded as "?" (0x3F), invisible ones (U+200B, U+202E,
// U+FEFF, ...) included, so that a line and its characters encode alike.
class Cp936 {
public:
    Cp936();
    ~Cp936();
    Cp936(const Cp936 &) = delete;
    Cp936 &operator=(const Cp936 &) = delete;

    // False when the system has no code page 936 table; nothing else
    // works then.
    bool isOpen() const;

    // One character: a single UTF-16 unit or a surrogate pair. An
    // unencodable one gives "?" with `unencodable` set.
    AnsiCode encode(QStringView character);

    // Two bytes decoded together, first byte first, cut at the first NUL.
    // A lead byte with a valid trail byte is one character; a lead byte
    // without one decodes to U+FFFD and the second byte stands alone; a
    // lead byte at the end, or a byte the table leaves undefined, is U+FFFD.
    QString decodePair(quint8 first, quint8 second);

    // A whole line, unencodable characters as "?".
    QByteArray encodeLine(QStringView line);

private:
    // The platform's table, one code at a time: the bytes of one character
    // written to `out` and their count, or nothing when the table has no
    // code for it; the one character that `size` (1 or 2) bytes are, or
    // nothing when they are no valid code.
    std::optional<int> encodeCode(QStringView character, char *out, int size);
    std::optional<QChar> decodeCode(const char *bytes, int size);

    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace convert

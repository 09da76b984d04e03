// SPDX-License-Identifier: MIT
#pragma once

#include "convert/ansicode.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

struct UConverter;

namespace convert {

// The Windows code page 936 table, through ICU's "windows-936" converter,
// whatever the system locale says. Every character the table cannot hold
// is encoded as "?" (0x3F), invisible ones (U+200B, U+202E, U+FEFF, ...)
// included, so that a line and its characters encode alike.
class Cp936 {
public:
    Cp936();
    ~Cp936();
    Cp936(const Cp936 &) = delete;
    Cp936 &operator=(const Cp936 &) = delete;

    // False when ICU has no windows-936 table; nothing else works then.
    bool isOpen() const { return m_converter != nullptr; }

    // One character: a single UTF-16 unit or a surrogate pair. An
    // unencodable one gives "?" with `unencodable` set.
    AnsiCode encode(QStringView character);

    // Two bytes decoded together, first byte first, cut at the first NUL.
    // A lead byte without a valid trail byte decodes to U+FFFD.
    QString decodePair(quint8 first, quint8 second);

    // A whole line, unmappable characters as "?".
    QByteArray encodeLine(QStringView line);

private:
    UConverter *m_converter = nullptr;
    qsizetype m_substitutions = 0; // counted by the converter's callback
};

} // namespace convert

// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

namespace convert {
class Cp936;
}

namespace gamefile {

// How the find window's fields are read: as text, encoded in code page
// 936, or as a line of codes ("D5C5 C8FD", as the character page's list
// copies it).
enum class QueryForm { Text, Codes };

enum class QueryRefusal {
    Empty,       // nothing to find (blanks only, for codes)
    Unencodable, // `what` is the character the code page cannot hold
    NotACode,    // `what` is the token that is not 2 or 4 hexadecimal digits
};

struct QueryBytes {
    QByteArray bytes;
    std::optional<QueryRefusal> refusal;
    QString what;
};

// The bytes `typed` stands for. Text is brought to NFC first, then each
// character encoded by itself. A code line is read strictly: tokens
// separated by blanks (spaces, tabs), each exactly 2 or 4 hexadecimal
// digits, a 4-digit token being its lead byte then its trail byte. An
// empty result is refused with Empty.
QueryBytes queryBytes(convert::Cp936 &codec, QStringView typed, QueryForm form);

// A replacement for a query of `querySize` bytes.
struct Replacement {
    QByteArray bytes;        // exactly querySize bytes, padded at the end
    bool tooLong = false;    // `typed` took more bytes than the query
    qsizetype typedSize = 0; // the bytes `typed` itself took
};

// `typed` (the replacement's own bytes, which may be empty) padded with
// `pad` up to `querySize`, so that the rest of the file never shifts. A
// replacement longer than the query is refused: `tooLong`, bytes empty.
Replacement padReplacement(const QByteArray &typed, qsizetype querySize, char pad);

} // namespace gamefile

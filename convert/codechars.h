// SPDX-License-Identifier: MIT
#pragma once

#include "convert/lines.h"
#include "convert/rows.h"

#include <QString>
#include <QStringView>

#include <QList>

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

// The rows of the code page's list: one per token, keeping the token, its
// two bytes and their decoded text. A row's line is CodesToChars's line up
// to its first NUL (a list keeps no more of a line).
class CodeRows : public Rows {
public:
    CodeRows() = default;
    CodeRows(QStringView codes, Cp936 &codec);

    qsizetype size() const override { return m_rows.size(); }
    void appendLine(qsizetype row, QString &out) const override;
    // Each decoded character with the bytes it came from: both for a
    // two-byte character, its own byte for each of two one-byte ones. A
    // byte that is no code (decoded as U+FFFD) is unencodable.
    int characters(qsizetype row, std::array<RowCharacter, 2> &out) const override;

    QStringView token(qsizetype row) const
    {
        return QStringView(m_codes).mid(m_rows[row].start, m_rows[row].length);
    }
    QStringView text(qsizetype row) const
    {
        return QStringView(m_rows[row].text.data(), m_rows[row].textLength);
    }

    // The line of row `row` as CodesToChars makes it, a NUL included.
    void appendWholeLine(qsizetype row, QString &out) const;

private:
    // Sixteen bytes a row. A text field holds fewer than 2^31 units.
    struct Row {
        quint32 start;
        quint32 length;
        std::array<quint8, 2> bytes;
        std::array<QChar, 2> text; // two bytes decode to at most two units
        quint8 textLength;
    };
    QString m_codes; // leading blanks dropped
    QList<Row> m_rows;
};

// The decoded text of one CodesToChars line, whatever its token holds:
// "序号:1  D6BB = 只" gives "只", "序号:2   = " gives "". A line not in that
// form gives "".
QString textOfCodeCharLine(QStringView line);

} // namespace convert

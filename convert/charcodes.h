// SPDX-License-Identifier: MIT
#pragma once

#include "convert/ansicode.h"
#include "convert/lines.h"
#include "convert/rows.h"

#include <QString>
#include <QStringView>

#include <QList>

namespace convert {

class Cp936;

// The rows of the character page's list: one per character of the text,
// keeping the character and its code. A row's line is CharsToCodes's line
// up to its first NUL (a list keeps no more of a line).
class CharRows : public Rows {
public:
    CharRows() = default;
    CharRows(QStringView text, Cp936 &codec);

    qsizetype size() const override { return m_rows.size(); }
    void appendLine(qsizetype row, QString &out) const override;
    int characters(qsizetype row, std::array<RowCharacter, 2> &out) const override;

    QStringView character(qsizetype row) const
    {
        return QStringView(m_text).mid(m_rows[row].start, m_rows[row].length);
    }
    AnsiCode code(qsizetype row) const;

    // The line of row `row` as CharsToCodes makes it, a NUL included.
    void appendWholeLine(qsizetype row, QString &out) const;

private:
    // Eight bytes a row. A text field holds fewer than 2^31 units.
    struct Row {
        quint32 start;
        quint8 length : 2; // 1, or 2 for a surrogate pair
        quint8 size : 2;   // of the code: 1 or 2 bytes
        quint8 unencodable : 1;
        std::array<quint8, 2> bytes;
    };
    QString m_text;
    QList<Row> m_rows;
};

// One line per character of `text`, numbered from 1:
//   one byte:  "序号:1   原字符:A    10进制:65   16进制:41"
//   two bytes: "序号:1   原字符:只   10进制:214,187   16进制:D6 BB"
// A surrogate pair is one character; a lone surrogate is one character
// too. A character outside code page 936 is shown with the code of "?".
Lines CharsToCodes(QStringView text, Cp936 &codec);

// The code of one CharsToCodes line as CodesToChars reads it: the bytes
// after the last "16进制:", two hexadecimal digits each, run together.
// "...16进制:D6 BB" gives "D6BB", "...16进制:9" gives "09"; a line without
// "16进制:" gives "".
QString codeOfCharCodeLine(QStringView line);

} // namespace convert

// SPDX-License-Identifier: MIT
#pragma once

#include "convert/ansicode.h"
#include "convert/rows.h"

#include <QList>

namespace convert {

class Cp936;

// A table file (码表) as hex editors load it: one entry a line, the code in
// upper-case hexadecimal, lead byte first, "=" and the character
// ("D6BB=只", "41=A"); nothing else, since the editors read comments
// differently.
class CodeTable : public Rows {
public:
    struct Entry {
        AnsiCode code;
        QChar character; // code page 936 holds no character beyond the BMP
    };

    qsizetype size() const override { return m_entries.size(); }
    void appendLine(qsizetype row, QString &out) const override;

    const QList<Entry> &entries() const { return m_entries; }
    void append(const Entry &entry) { m_entries.append(entry); }

private:
    QList<Entry> m_entries;
};

// What a table of a list's characters leaves out: distinct characters the
// code page cannot hold (the list shows them as 3F), distinct control
// characters (00-1F, 7F: a line feed would break the table's line), and
// rows whose token decodes to nothing.
struct LeftOut {
    qsizetype unencodable = 0;
    qsizetype control = 0;
    qsizetype empty = 0;

    bool any() const { return unencodable + control + empty > 0; }
};

// One entry per distinct character of `rows`, in order of first appearance.
CodeTable tableOfRows(const Rows &rows, LeftOut &leftOut);

// Every code of the code page in code order: one byte 20-7E and 80, and
// every two-byte code (lead 81-FE, trail 40-7E and 80-FE) whose character
// decodes and encodes back to the same bytes and is not a private-use
// character (U+E000-U+F8FF), which stands for a different glyph on every
// system.
CodeTable wholeCodePage(Cp936 &codec);

} // namespace convert

// SPDX-License-Identifier: MIT
#pragma once

#include "convert/ansicode.h"

#include <QString>
#include <QStringView>

#include <QList>

#include <array>

namespace convert {

// One character a row was made from, with the code the game's bytes hold
// for it ("?" with `unencodable` set where the code page has none).
struct RowCharacter {
    QStringView character;
    AnsiCode code;
};

// The rows of a result list. A row keeps what it was made from; its line
// is made when it is drawn, copied or exported, so a million rows cost
// their data, not a million lines.
class Rows {
public:
    virtual ~Rows() = default;

    virtual qsizetype size() const = 0;
    bool isEmpty() const { return size() == 0; }

    // Appends the line of row `row` to `out`.
    virtual void appendLine(qsizetype row, QString &out) const = 0;
    QString line(qsizetype row) const
    {
        QString out;
        appendLine(row, out);
        return out;
    }

    // The characters row `row` stands for, at most two, and their count:
    // none for a row of plain text.
    virtual int characters(qsizetype row, std::array<RowCharacter, 2> &out) const
    {
        Q_UNUSED(row);
        Q_UNUSED(out);
        return 0;
    }

protected:
    Rows() = default;
    Rows(const Rows &) = default;
    Rows &operator=(const Rows &) = default;
    Rows(Rows &&) = default;
    Rows &operator=(Rows &&) = default;
};

// A list box keeps a line only up to its first NUL: what `line` appended
// to `out` from `from` on is cut there.
inline void cutAtNul(QString &out, qsizetype from)
{
    const qsizetype nul = out.indexOf(QChar(0), from);
    if (nul >= 0)
        out.truncate(nul);
}

// What Ctrl+Shift+C copies of the character page's rows: their codes as
// one code line for the code page ("D5C5 41 09"), two digits a byte. A
// character the code page cannot hold has no code: then nothing is
// copied, and `refused` is its row, `refusedCharacter` the character.
struct CodeLine {
    QString codes;
    qsizetype refused = -1;
    QString refusedCharacter;
};
CodeLine codeLineOfRows(const Rows &rows, const QList<qsizetype> &selected);

// The characters of the rows, one after the other (the code page's list
// copies its decoded text).
QString textOfRows(const Rows &rows, const QList<qsizetype> &selected);

} // namespace convert

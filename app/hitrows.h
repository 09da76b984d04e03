// SPDX-License-Identifier: MIT
#pragma once

#include "convert/rows.h"
#include "gamefile/filesearch.h"

#include <QByteArray>

#include <vector>

namespace convert {
class Cp936;
}

// The find window's list: a hit a row, its line made when it is drawn,
// copied or exported: the offset in hexadecimal and decimal, then the
// bytes around the hit as the game reads them, the hit marked ("【张三】"),
// and a note where the hit may start inside a two-byte character.
class HitRows : public convert::Rows {
public:
    explicit HitRows(convert::Cp936 &codec) : m_codec(codec) {}

    qsizetype size() const override { return qsizetype(m_hits.size()); }
    void appendLine(qsizetype row, QString &out) const override;

    const gamefile::Hit &hit(qsizetype row) const { return m_hits[size_t(row)]; }
    // Hits come in file order, after those already here.
    void append(std::vector<gamefile::Hit> &&hits);

    // The file now holds `bytes` at each of `offsets`: every line that
    // shows those bytes shows the new ones.
    void setBytesAt(const QList<qint64> &offsets, const QByteArray &bytes);

private:
    convert::Cp936 &m_codec;
    std::vector<gamefile::Hit> m_hits; // by offset
};

// SPDX-License-Identifier: MIT
#include "app/hitrows.h"

#include "app/messages.h"
#include "gamefile/contexttext.h"

#include <algorithm>

void HitRows::appendLine(qsizetype row, QString &out) const
{
    const gamefile::Hit &hit = m_hits[size_t(row)];
    const QByteArrayView context(hit.context);
    // At least eight hexadecimal digits, as hex editors show offsets.
    out += QStringLiteral("%1 (%2)  ")
               .arg(QString::number(hit.offset, 16).toUpper().rightJustified(8, u'0'))
               .arg(hit.offset);
    const qsizetype after = qsizetype(hit.before) + hit.length;
    gamefile::appendDecoded(m_codec, context.first(hit.before), out);
    out += messages::hitOpen;
    gamefile::appendDecoded(m_codec, context.sliced(hit.before, hit.length), out);
    out += messages::hitClose;
    gamefile::appendDecoded(m_codec, context.sliced(after), out);
    if (gamefile::mayBeInsideCharacter(hit))
        out += messages::hitMayBeInsideCharacter;
}

void HitRows::append(std::vector<gamefile::Hit> &&hits)
{
    m_hits.insert(m_hits.end(), std::make_move_iterator(hits.begin()),
                  std::make_move_iterator(hits.end()));
}

void HitRows::setBytesAt(const QList<qint64> &offsets, const QByteArray &bytes)
{
    const qint64 size = bytes.size();
    for (const qint64 offset : offsets) {
        // A line shows up to 16 bytes on each side of its hit, so only hits
        // that close by can show these bytes.
        auto hit =
            std::lower_bound(m_hits.begin(), m_hits.end(), offset - size - 16,
                             [](const gamefile::Hit &h, qint64 at) { return h.offset < at; });
        for (; hit != m_hits.end() && hit->offset <= offset + size + 16; ++hit) {
            const qint64 start = hit->offset - hit->before; // of the context
            for (qint64 i = 0; i < size; ++i) {
                const qint64 at = offset + i - start;
                if (at >= 0 && at < hit->context.size())
                    hit->context[at] = bytes[i];
            }
        }
    }
}

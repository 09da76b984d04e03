// SPDX-License-Identifier: MIT
#pragma once

#include "gamefile/filesearch.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <atomic>
#include <functional>
#include <vector>

// A whole search of one file, its reports gathered: the end, every hit in
// the order reported, and the bytes done of each report. `afterReport`
// runs after each report, to change the file while it is read.
struct FoundHits {
    gamefile::SearchEnd end;
    std::vector<gamefile::Hit> hits;
    QList<qint64> done;
    QList<qint64> offsets() const
    {
        QList<qint64> list;
        for (const gamefile::Hit &hit : hits)
            list.append(hit.offset);
        return list;
    }
};

inline FoundHits searchAll(const QString &path, const QByteArray &query,
                           qsizetype chunkSize = 1 << 20,
                           const std::function<void()> &afterReport = {}, bool cancelled = false)
{
    FoundHits found;
    const std::atomic_bool cancel(cancelled);
    found.end = gamefile::searchFile(
        path, query,
        [&](qint64 bytesDone, std::vector<gamefile::Hit> &&hits) {
            found.done.append(bytesDone);
            for (gamefile::Hit &hit : hits)
                found.hits.push_back(std::move(hit));
            if (afterReport)
                afterReport();
        },
        cancel, chunkSize);
    return found;
}

// SPDX-License-Identifier: MIT
#pragma once

#include "gamefile/filesearch.h"

#include <atomic>
#include <functional>
#include <vector>

// A whole search of one file, its reports gathered; `afterReport` runs
// after each report, to change the file while it is read.
struct FoundHits {
    gamefile::SearchEnd end;
    std::vector<gamefile::Hit> hits;
    QList<qint64> offsets;
};

inline FoundHits searchAll(const QString &path, const QByteArray &query,
                           qsizetype chunkSize = 1 << 20,
                           const std::function<void()> &afterReport = {}, bool cancelled = false)
{
    FoundHits found;
    const std::atomic_bool cancel(cancelled);
    const auto report = [&](qint64, std::vector<gamefile::Hit> &&hits) {
        for (gamefile::Hit &hit : hits) {
            found.offsets.append(hit.offset);
            found.hits.push_back(std::move(hit));
        }
        if (afterReport)
            afterReport();
    };
    found.end = gamefile::searchFile(path, query, report, cancel, chunkSize);
    return found;
}

// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <atomic>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

namespace gamefile {

// One occurrence of the query: where it starts, and the bytes around it
// (up to 16 before and 16 after, within the file) with the hit itself.
struct Hit {
    qint64 offset = 0;
    QByteArray context; // before + hit + after
    int before = 0;     // how many of `context`'s bytes come before the hit
    int length = 0;     // the hit's own bytes, the query's length
};

// A hit's first byte could be the trail byte of a two-byte character that
// the byte before it begins, so a game reading from an earlier character
// sees other text there.
bool mayBeInsideCharacter(const Hit &hit);

enum class SearchStep {
    NotRegularFile, // a folder, FIFO, device or socket: refused, never read
    Open,
    Read,
    Shrunk,   // the file became shorter while it was read
    Grew,     // the file became longer while it was read
    Vanished, // the file was deleted, or another file took its name
};

struct SearchError {
    SearchStep step;
    int code = 0; // the system's error code of that step; 0 when there is none
};

struct SearchEnd {
    qint64 size = 0; // the file's length when it was opened
    qint64 hits = 0;
    bool cancelled = false;
    bool reachedMaxHits = false; // stopped after `maxHits` hits
    std::optional<SearchError> error;
};

// What a running search tells: the bytes read so far and the hits found
// since the last call, in file order. Called from the searching thread.
using SearchReport = std::function<void(qint64 bytesDone, std::vector<Hit> &&hits)>;

// Every non-overlapping occurrence of `query` (not empty) in the file at
// `path`, leftmost first, byte-exact. The file is read in chunks of
// `chunkSize` bytes, so memory stays bounded whatever the file's size;
// hits across two chunks are found. `report` is called after each chunk;
// `cancel` is looked at before each, and a search asked to stop ends with
// `cancelled` set. A search stops at `maxHits` hits, `reachedMaxHits` set,
// so that a query found at every byte of a disc image cannot take all the
// memory. The file is opened read-only and never changed.
SearchEnd searchFile(const QString &path, const QByteArray &query, const SearchReport &report,
                     const std::atomic_bool &cancel, qsizetype chunkSize = 1 << 20,
                     qint64 maxHits = std::numeric_limits<qint64>::max());

} // namespace gamefile

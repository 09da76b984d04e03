// SPDX-License-Identifier: MIT
#include "gamefile/filesearch.h"

#include "gamefile/openfile.h"

#include "convert/cp936.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace gamefile {

namespace {

// The bytes a hit's line shows on each side of it.
constexpr qint64 contextSize = 16;

SearchEnd failed(SearchEnd end, SearchStep step, int code = 0)
{
    end.error = SearchError{step, code};
    return end;
}

// The part of the file held in memory: the bytes from `base` on.
struct Window {
    std::vector<char> bytes;
    qint64 base = 0;
    qint64 length = 0;
    qint64 end() const { return base + length; }
    std::string_view view(qint64 from, qint64 to) const
    {
        return {bytes.data() + (from - base), size_t(to - from)};
    }
};

} // namespace

bool mayBeInsideCharacter(const Hit &hit)
{
    if (hit.before == 0 || hit.context.size() <= hit.before)
        return false;
    const quint8 previous = quint8(hit.context[hit.before - 1]);
    const quint8 first = quint8(hit.context[hit.before]);
    const bool trail = first >= 0x40 && first <= 0xFE && first != 0x7F;
    return convert::isLeadByte(previous) && trail;
}

SearchEnd searchFile(const QString &path, const QByteArray &query, const SearchReport &report,
                     const std::atomic_bool &cancel, qsizetype chunkSize, qint64 maxHits)
{
    Q_ASSERT(!query.isEmpty() && chunkSize > 0);
    SearchEnd end;
    const auto opened = OpenFile::open(path, OpenFile::Mode::Read);
    if (opened.refusal)
        return failed(end,
                      opened.refusal == OpenFile::Refusal::NotRegularFile
                          ? SearchStep::NotRegularFile
                          : SearchStep::Open,
                      opened.code);
    OpenFile &file = *opened.file;
    const std::optional<qint64> size = file.size();
    if (!size)
        return failed(end, SearchStep::Read, file.errorCode());
    end.size = *size;

    const std::string_view needle(query.constData(), size_t(query.size()));
    const qint64 q = query.size();
    // A chunk, and what is kept of the one before: the bytes before the
    // next possible hit and a hit cut off by the chunk's end.
    Window window;
    window.bytes.resize(size_t(chunkSize + contextSize + q + contextSize));
    qint64 nextStart = 0; // no hit starts before this offset
    qint64 readTo = 0;

    for (;;) {
        if (cancel.load(std::memory_order_relaxed)) {
            end.cancelled = true;
            return end;
        }
        qint64 want = std::min<qint64>(chunkSize, end.size - readTo);
        // A sparse file's hole is zeros: written down, not read, since
        // reading gigabytes of holes takes some systems minutes.
        const qint64 hole = want > 0 ? file.dataFrom(readTo) - readTo : 0;
        qint64 got = 0;
        if (hole > 0) {
            want = std::min(want, hole);
            std::memset(window.bytes.data() + window.length, 0, size_t(want));
            got = want;
        } else if (want > 0) {
            got = file.readAt(readTo, window.bytes.data() + window.length, want);
        }
        if (got < 0)
            return failed(end, SearchStep::Read, file.errorCode());
        if (got < want)
            return failed(end, SearchStep::Shrunk);
        readTo += got;
        window.length += got;
        const bool atEnd = readTo == end.size;

        // Only hits whose bytes after them are in memory too, unless the
        // file ends here.
        const qint64 lastEnd = atEnd ? window.end() : window.end() - contextSize;
        std::vector<Hit> hits;
        while (nextStart + q <= lastEnd && end.hits + qint64(hits.size()) < maxHits) {
            const std::string_view haystack = window.view(nextStart, lastEnd);
            const size_t found = haystack.find(needle);
            if (found == std::string_view::npos)
                break;
            const qint64 offset = nextStart + qint64(found);
            const qint64 from = std::max(window.base, offset - contextSize);
            const qint64 to = std::min(window.end(), offset + q + contextSize);
            const std::string_view around = window.view(from, to);
            hits.push_back({offset, QByteArray(around.data(), qsizetype(around.size())),
                            int(offset - from), int(q)});
            nextStart = offset + q;
        }
        nextStart = std::max(nextStart, lastEnd - q + 1);
        end.hits += qint64(hits.size());
        report(readTo, std::move(hits));
        if (end.hits >= maxHits) {
            end.reachedMaxHits = true;
            return end;
        }

        if (!file.isStillAt(path))
            return failed(end, SearchStep::Vanished);
        if (atEnd)
            break;
        // Keep the bytes a later hit may need: its 16 bytes before, and
        // whatever of it this chunk already holds.
        const qint64 keep = std::max(window.base, std::max<qint64>(0, nextStart - contextSize));
        std::memmove(window.bytes.data(), window.bytes.data() + (keep - window.base),
                     size_t(window.end() - keep));
        window.length = window.end() - keep;
        window.base = keep;
    }

    // A file that grew while it was read has bytes that were not searched.
    const std::optional<qint64> now = file.size();
    if (!now)
        return failed(end, SearchStep::Read, file.errorCode());
    if (*now > end.size)
        return failed(end, SearchStep::Grew);
    if (*now < end.size)
        return failed(end, SearchStep::Shrunk);
    return end;
}

} // namespace gamefile

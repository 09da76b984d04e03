// SPDX-License-Identifier: MIT
#include "convert/export.h"

#include "convert/cp936.h"
#include "convert/exportfile.h"

namespace convert {

namespace {

// Lines are encoded and written in batches of about this many characters.
constexpr qsizetype batchSize = 1 << 20;

// Hands `sink` the encoded lines batch by batch, until it returns false.
template <typename Sink>
void forEachBatch(const Lines &lines, Cp936 &codec, Sink sink)
{
    QString batch;
    batch.reserve(batchSize);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        batch += lines.at(i);
        batch += u"\r\n";
        if (batch.size() >= batchSize || i + 1 == lines.size()) {
            if (!sink(codec.encodeLine(batch)))
                return;
            batch.clear();
        }
    }
}

} // namespace

std::optional<ExportError> exportLines(const QString &path, const Lines &lines, Cp936 &codec)
{
    ExportFile file(path);
    if (auto failed = file.open())
        return failed;

    if (file.rewritesInPlace()) {
        // The old content is gone once writing starts: make sure first that
        // the new content fits.
        qint64 size = 0;
        forEachBatch(lines, codec, [&](const QByteArray &bytes) {
            size += bytes.size();
            return true;
        });
        if (auto failed = file.reserve(size))
            return failed;
    }

    std::optional<ExportError> failed;
    forEachBatch(lines, codec, [&](const QByteArray &bytes) {
        failed = file.write(bytes);
        return !failed;
    });
    if (failed)
        return failed;
    return file.commit();
}

} // namespace convert

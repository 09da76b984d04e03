// SPDX-License-Identifier: MIT
#include "convert/export.h"

#include "convert/cp936.h"
#include "convert/exportfile.h"

#include <utility>

namespace convert {

namespace {

// Lines are encoded and written in batches of about this many characters.
constexpr qsizetype batchSize = 1 << 20;

// The text to write and how to encode it.
struct Content {
    const Rows &lines;
    Cp936 &codec;
    TextEncoding encoding;
};

QByteArray encoded(const QString &batch, const Content &content, bool first)
{
    switch (content.encoding) {
    case TextEncoding::Cp936: return content.codec.encodeLine(batch);
    case TextEncoding::Utf8: return batch.toUtf8();
    case TextEncoding::Utf16LittleEndianWithBom: break;
    }
    QByteArray bytes = first ? QByteArray("\xFF\xFE") : QByteArray();
    bytes.reserve(bytes.size() + batch.size() * 2);
    for (const QChar c : batch) {
        bytes += char(c.unicode() & 0xFF);
        bytes += char(c.unicode() >> 8);
    }
    return bytes;
}

// Hands `sink` the encoded lines batch by batch, until it returns false.
template <typename Sink>
void forEachBatch(const Content &content, Sink sink)
{
    const Rows &lines = content.lines;
    QString batch;
    batch.reserve(batchSize);
    bool first = true;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        lines.appendLine(i, batch);
        batch += u"\r\n";
        if (batch.size() >= batchSize || i + 1 == lines.size()) {
            if (!sink(encoded(batch, content, std::exchange(first, false))))
                return;
            batch.clear();
        }
    }
}

// Writes the lines from the file's start; `attempted` is how far a write
// was begun, so how far the old content may have been overwritten.
std::optional<ExportError> writeLines(ExportFile &file, const Content &content, qint64 &written,
                                      qint64 &attempted)
{
    std::optional<ExportError> failed;
    forEachBatch(content, [&](const QByteArray &bytes) {
        attempted = written + bytes.size();
        failed = file.writeAt(written, bytes);
        if (!failed)
            written += bytes.size();
        return !failed;
    });
    return failed;
}

// After `failure` part-way through an in-place rewrite: the old bytes that
// may have been overwritten go back, the length is the old one again and
// what was reserved past it is freed. Then `failure` is reported, or, where
// the old content could not be put back, the same reason at the step
// Restore.
ExportError putBack(ExportFile &file, const QByteArray &old, qint64 attempted, ExportError failure)
{
    const qint64 overwritten = qMin(attempted, qint64(old.size()));
    bool restored = !file.writeAt(0, QByteArrayView(old).first(qsizetype(overwritten)));
    restored = !file.truncate(old.size()) && restored;
    restored = !file.sync() && restored;
    file.restoreTimes();
    [[maybe_unused]] const auto closed = file.close();
    // Nothing written, nothing to lose: the truncation only freed space.
    if (!restored && attempted > 0)
        failure.step = ExportStep::Restore;
    return failure;
}

std::optional<ExportError> rewriteInPlace(ExportFile &file, const Content &content)
{
    QByteArray old;
    if (auto failed = file.readAll(old, inPlaceLimit)) {
        [[maybe_unused]] const auto closed = file.close();
        return failed;
    }
    // Make sure first that the new content fits: a full disk is then found
    // before anything is overwritten.
    qint64 size = 0;
    forEachBatch(content, [&](const QByteArray &bytes) {
        size += bytes.size();
        return true;
    });
    // Never less than the old length: Windows cuts a file to the space it
    // is given.
    if (auto failed = file.reserve(qMax(size, qint64(old.size()))))
        return putBack(file, old, 0, *failed);

    qint64 written = 0;
    qint64 attempted = 0;
    auto failed = writeLines(file, content, written, attempted);
    // The old content may reach past the new; cutting it off overwrites it
    // too, as far as putting it back goes.
    if (!failed && written < old.size()) {
        attempted = old.size();
        failed = file.truncate(written);
    }
    if (!failed)
        failed = file.sync();
    if (failed)
        return putBack(file, old, attempted, *failed);
    return file.close();
}

} // namespace

std::optional<ExportError> exportLines(const QString &path, const Rows &lines, Cp936 &codec,
                                       TextEncoding encoding)
{
    const Content content{lines, codec, encoding};
    ExportFile file(path);
    if (auto failed = file.open())
        return failed;
    if (file.rewritesInPlace())
        return rewriteInPlace(file, content);

    qint64 written = 0;
    qint64 attempted = 0;
    if (auto failed = writeLines(file, content, written, attempted))
        return failed;
    auto refused = file.replace();
    if (!refused || refused->step != ExportStep::Replace)
        return refused;
    // The new file could not take the target's place, or not with all its
    // attributes: the target itself may still be written.
    if (auto failed = file.openInPlaceInstead(*refused))
        return failed;
    return rewriteInPlace(file, content);
}

} // namespace convert

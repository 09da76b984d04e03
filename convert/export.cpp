#include "convert/export.h"

#include "convert/cp936.h"

#include <QFileInfo>
#include <QSaveFile>

namespace convert {

namespace {

// Lines are encoded and written in batches of about this many characters.
constexpr qsizetype batchSize = 1 << 20;

} // namespace

std::optional<QString> exportLines(const QString &path, const Lines &lines, Cp936 &codec)
{
    const QFileInfo target(path);
    if (target.exists() && !target.isFile())
        return QStringLiteral("Not a regular file (a folder, FIFO or device)");

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();

    QString batch;
    batch.reserve(batchSize);
    auto writeBatch = [&] {
        const QByteArray bytes = codec.encodeLine(batch);
        batch.clear();
        return file.write(bytes) == bytes.size();
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        batch += lines.at(i);
        batch += u"\r\n";
        if (batch.size() >= batchSize && !writeBatch())
            return file.errorString();
    }
    if (!writeBatch())
        return file.errorString();

    // commit() flushes, syncs and renames; on failure it removes the
    // temporary file and the target stays untouched.
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

} // namespace convert

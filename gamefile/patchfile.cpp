// SPDX-License-Identifier: MIT
#include "gamefile/patchfile.h"

#include "gamefile/openfile.h"

namespace gamefile {

PatchEnd patchWhereHolds(const QString &path, const QList<qint64> &offsets,
                         const QByteArray &expected, const QByteArray &bytes)
{
    Q_ASSERT(expected.size() == bytes.size());
    PatchEnd end;
    const auto fail = [&](PatchStep step, int code) {
        end.error = PatchError{step, code};
        return end;
    };
    const auto opened = OpenFile::open(path, OpenFile::Mode::ReadWrite);
    if (opened.refusal)
        return fail(opened.refusal == OpenFile::Refusal::NotRegularFile ? PatchStep::NotRegularFile
                                                                        : PatchStep::Open,
                    opened.code);
    OpenFile &file = *opened.file;

    const qint64 size = bytes.size();
    QByteArray found(size, '\0');
    for (const qint64 offset : offsets) {
        // Read again in this open: what the search saw may have changed.
        const qint64 got = file.readAt(offset, found.data(), size);
        if (got < 0)
            return fail(PatchStep::Read, file.errorCode());
        if (got != size || found != expected) {
            ++end.skipped;
            continue;
        }
        const qint64 written = file.writeAt(offset, bytes.constData(), size);
        if (written == size) {
            end.written.append(offset);
            continue;
        }
        const int code = written < 0 ? file.errorCode() : 0;
        // Part of the bytes went in: the old ones go back, so no hit is
        // left half written.
        if (written > 0)
            file.writeAt(offset, found.constData(), written);
        // The hits written before are on disk as the message says.
        file.sync();
        return fail(written < 0 ? PatchStep::Write : PatchStep::ShortWrite, code);
    }
    if (!file.sync())
        return fail(PatchStep::Flush, file.errorCode());
    if (!file.close())
        return fail(PatchStep::Close, file.errorCode());
    return end;
}

} // namespace gamefile

// SPDX-License-Identifier: MIT
// Any file contents of any length: every slot reads as the file's bytes at
// its offsets (zero past the end), its cells decode without a crash, and
// the file is left exactly as it was.
#include "fuzzinput.h"
#include "savefile/namecells.h"
#include "savefile/slotfile.h"
#include "support/codec.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <unistd.h>

namespace {

// One file per fuzzing process, in memory where possible, removed at exit.
struct ScratchFile {
    QString path = QDir(QFileInfo(QStringLiteral("/dev/shm")).isDir() ? QStringLiteral("/dev/shm")
                                                                      : QDir::tempPath())
                       .filePath(QStringLiteral("vemdra-fuzz-%1.dat").arg(getpid()));
    ~ScratchFile() { QFile::remove(path); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Short inputs stand for the slots themselves; longer ones are placed
    // so that they end around the slots, where the file's end matters.
    static const ScratchFile scratch;
    const QString &path = scratch.path;
    QByteArray content(reinterpret_cast<const char *>(data), qsizetype(size));
    if (!content.isEmpty() && content.size() < 256)
        content.prepend(QByteArray(1724 + uint8_t(content[0]) % 64 * 4, '\0'));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(content) == content.size());
    }

    for (int slot = 1; slot <= savefile::slotCount; ++slot) {
        const savefile::SlotRead read = savefile::readSlot(path, slot);
        FUZZ_CHECK(!read.error);
        for (int i = 0; i < savefile::slotSize; ++i) {
            const qint64 offset = savefile::firstOffset(slot) + i;
            const quint8 expected = offset < content.size() ? quint8(content[offset]) : 0;
            FUZZ_CHECK(read.bytes[i] == expected);
        }
        const savefile::CellNames names = savefile::decodeNameCells(read.bytes, testCodec());
        for (const QString &name : names) {
            FUZZ_CHECK(name.size() <= 2);
            FUZZ_CHECK(!name.contains(QChar(0)));
        }
    }

    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    FUZZ_CHECK(file.readAll() == content);
    return 0;
}

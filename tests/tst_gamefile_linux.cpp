// SPDX-License-Identifier: MIT
#include "gamefile/patchfile.h"
#include "support/files.h"
#include "support/files_posix.h"
#include "support/gamefilesearch.h"
#include "support/smalldisk.h"

#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace gamefile;

namespace {

const QByteArray zhangSan = QByteArray::fromHex("D5C5C8FD");
const QByteArray liSi = QByteArray::fromHex("C0EECBC4");

// The bytes at `offset`, read with the file's own call.
QByteArray bytesAt(const QString &path, qint64 offset, int size)
{
    QByteArray bytes(size, '\0');
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    const ssize_t got = fd < 0 ? -1 : ::pread(fd, bytes.data(), size_t(size), off_t(offset));
    if (fd >= 0)
        ::close(fd);
    return got == size ? bytes : QByteArray("<unreadable>");
}

} // namespace

// What Linux can arrange for a game file: a full or read-only tmpfs (as
// root), and a disc image's size in a sparse file.
class tst_GameFileLinux : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // A sparse file of 1 MiB on a full tmpfs, its first page written: a
    // hit there needs no space, one in a hole needs a page there is none of.
    void patchOnFullDisk_data()
    {
        QTest::addColumn<QList<qint64>>("offsets");
        QTest::addColumn<QList<qint64>>("written");
        QTest::newRow("a written page, then a hole")
            << QList<qint64>{8, 600000} << QList<qint64>{8};
        QTest::newRow("a hole first: nothing written")
            << QList<qint64>{600000, 8} << QList<qint64>{};
    }
    void patchOnFullDisk()
    {
        QFETCH(QList<qint64>, offsets);
        QFETCH(QList<qint64>, written);
        if (::geteuid() != 0)
            QSKIP("only root may mount a tmpfs");
        const SmallDisk disk(m_dir.filePath(QStringLiteral("disk")));
        if (!disk.mounted)
            QSKIP("this machine does not let root mount a tmpfs");
        const QString path = disk.path + QStringLiteral("/game.bin");
        QVERIFY(create(path, QByteArray(4096, '\0')));
        QCOMPARE(::truncate(QFile::encodeName(path).constData(), 1 << 20), 0);
        QVERIFY(disk.fill(0));

        const PatchEnd end = patchWhereHolds(path, offsets, QByteArray(4, '\0'), liSi);
        QVERIFY(end.error);
        QCOMPARE(end.error->step, PatchStep::Write);
        QCOMPARE(end.error->code, ENOSPC);
        QCOMPARE(end.written, written);
        QByteArray expected(1 << 20, '\0');
        for (const qint64 offset : written)
            expected.replace(offset, 4, liSi);
        QVERIFY(contents(path) == expected);
    }

    void readOnlyFileSystemRefusesPatch()
    {
        if (::geteuid() != 0)
            QSKIP("only root may mount a tmpfs");
        const SmallDisk disk(m_dir.filePath(QStringLiteral("disk")));
        if (!disk.mounted)
            QSKIP("this machine does not let root mount a tmpfs");
        const QString path = disk.path + QStringLiteral("/game.bin");
        QVERIFY(create(path, zhangSan));
        QCOMPARE(::mount("tmpfs", QFile::encodeName(disk.path).constData(), "tmpfs",
                         MS_REMOUNT | MS_RDONLY, nullptr),
                 0);
        QCOMPARE(searchAll(path, zhangSan).offsets(), QList<qint64>{0});
        const PatchEnd end = patchWhereHolds(path, {0}, zhangSan, liSi);
        QVERIFY(end.error);
        QCOMPARE(end.error->step, PatchStep::Open);
        QCOMPARE(end.error->code, EROFS);
        QCOMPARE(contents(path), zhangSan);
    }

    // A disc image's 4.7 GB, as holes: 张三 at its start, across 4 GiB and
    // in its last bytes. On a tmpfs where root may mount one: its holes
    // read several times faster than a disk's.
    void sparseDiscImage()
    {
        const SmallDisk disk(m_dir.filePath(QStringLiteral("disk")), "size=16m");
        const QString path =
            (disk.mounted ? disk.path : m_dir.path()) + QStringLiteral("/disc.iso");
        const qint64 size = 4'700'000'000, across = (qint64(1) << 32) - 2, last = size - 4;
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            if (!file.resize(size))
                QSKIP("the temporary folder's file system refuses a 4.7 GB file");
            for (const qint64 offset : {qint64(0), across, last})
                QVERIFY(file.seek(offset) && file.write(zhangSan) == 4);
        }
        if (qint64(statOf(path).st_blocks) * 512 > (qint64(64) << 20))
            QSKIP("the temporary folder's file system keeps no holes");

        const FoundHits found = searchAll(path, zhangSan);
        QVERIFY(!found.end.error);
        QCOMPARE(found.end.size, size);
        QCOMPARE(found.offsets(), (QList<qint64>{0, across, last}));

        const PatchEnd end = patchWhereHolds(path, {last, across}, zhangSan, liSi);
        QVERIFY(!end.error);
        QCOMPARE(end.written, (QList<qint64>{last, across}));
        QCOMPARE(bytesAt(path, across - 4, 12).toHex(' '),
                 (QByteArray(4, '\0') + liSi + QByteArray(4, '\0')).toHex(' '));
        QCOMPARE(bytesAt(path, last - 4, 8).toHex(' '), (QByteArray(4, '\0') + liSi).toHex(' '));
        QCOMPARE(bytesAt(path, 0, 8).toHex(' '), (zhangSan + QByteArray(4, '\0')).toHex(' '));
        QCOMPARE(qint64(statOf(path).st_size), size);
    }
};

QTEST_GUILESS_MAIN(tst_GameFileLinux)
#include "tst_gamefile_linux.moc"

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
#include <optional>
#include <utility>

using namespace gamefile;
using Offsets = QList<qint64>;

Q_DECLARE_METATYPE(SearchStep)

namespace {

const QByteArray zhangSan = QByteArray::fromHex("D5C5C8FD"), liSi = QByteArray::fromHex("C0EECBC4");

QByteArray bytesAt(const QString &path, qint64 offset, int size)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.seek(offset) ? file.read(size).toHex() : "";
}

} // namespace

// What Linux can arrange for a game file: a FIFO, a file that changes
// while it is searched, a full or read-only tmpfs (as root), a disc image's
// size in a sparse file.
class tst_GameFileLinux : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // Refused before a byte is read: what waits in the FIFO is still there.
    void fifoRefused()
    {
        const QByteArray name = QFile::encodeName(m_dir.filePath(QStringLiteral("fifo")));
        QCOMPARE(::mkfifo(name.constData(), 0600), 0);
        const int fd = ::open(name.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        QVERIFY(fd >= 0 && ::write(fd, "waiting", 7) == 7);
        const FoundHits found = searchAll(QFile::decodeName(name), "wait");
        QVERIFY(found.end.error && found.end.error->step == SearchStep::NotRegularFile);
        const PatchEnd end = patchWhereHolds(QFile::decodeName(name), {0}, "wait", "WAIT");
        QVERIFY(end.error && end.error->step == PatchStep::NotRegularFile);
        char waiting[16] = {};
        QCOMPARE(::read(fd, waiting, sizeof waiting), ssize_t(7));
        QCOMPARE(QByteArray(waiting), QByteArray("waiting"));
        ::close(fd);
    }

    // A file of 1024 bytes changes after its first chunk of 64 was read.
    void changedWhileSearched_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<SearchStep>("step");
        QTest::newRow("cut to 100 bytes") << "truncate 100" << SearchStep::Shrunk;
        QTest::newRow("cut to the bytes read") << "truncate 64" << SearchStep::Shrunk;
        QTest::newRow("grown to 1034 bytes") << "truncate 1034" << SearchStep::Grew;
        QTest::newRow("deleted") << "delete" << SearchStep::Vanished;
        QTest::newRow("another file takes its name") << "replace" << SearchStep::Vanished;
    }
    void changedWhileSearched()
    {
        QFETCH(QString, change);
        const QString path = m_dir.filePath(QStringLiteral("game.bin"));
        const QByteArray name = QFile::encodeName(path);
        QVERIFY(create(path, QByteArray(1024, 'x')) && create(path + ".new", "new"));
        bool changed = false;
        const FoundHits found = searchAll(path, "xy", 64, [&] {
            if (std::exchange(changed, true))
                return;
            if (change.startsWith(QStringLiteral("truncate")))
                QCOMPARE(::truncate(name.constData(), change.mid(9).toInt()), 0);
            else if (change == QStringLiteral("delete"))
                QCOMPARE(::unlink(name.constData()), 0);
            else
                QCOMPARE(::rename(QFile::encodeName(path + ".new").constData(), name.constData()),
                         0);
        });
        QVERIFY(changed && found.end.error);
        QTEST(found.end.error->step, "step");
        QCOMPARE(found.end.size, qint64(1024));
    }

    // A sparse file of 1 MiB, its first page written, on a full tmpfs: a
    // hit in that page needs no space, one in a hole a page there is none
    // of. A read-only tmpfs refuses the file's opening.
    void patchOnSmallDisk_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<Offsets>("offsets");
        QTest::addColumn<int>("code");
        QTest::addColumn<Offsets>("written");
        for (const char *type : {"tmpfs", "ext4", "ext2"}) {
            const QString name = QString::fromLatin1(type);
            QTest::addRow("%s full: a written page, then a hole", type)
                << name << false << Offsets{8, 600000} << ENOSPC << Offsets{8};
            QTest::addRow("%s full: a hole first", type)
                << name << false << Offsets{600000, 8} << ENOSPC << Offsets{};
            QTest::addRow("%s read-only", type) << name << true << Offsets{8} << EROFS << Offsets{};
        }
    }
    void patchOnSmallDisk()
    {
        QFETCH(bool, readOnly);
        QFETCH(Offsets, offsets);
        QFETCH(Offsets, written);
        QFETCH(QString, type);
        if (::geteuid() != 0)
            QSKIP("only root may mount a file system");
        QTemporaryDir folder;
        std::optional<SmallDisk> tmpfs;
        std::optional<LoopDisk> loop;
        if (type == u"tmpfs")
            tmpfs.emplace(folder.filePath(QStringLiteral("disk")));
        else
            loop.emplace(folder.path(), type);
        if (tmpfs ? !tmpfs->mounted : !loop->mounted)
            QSKIP(tmpfs ? "this machine does not let root mount a tmpfs"
                        : qPrintable(loop->reason));
        const QString root = tmpfs ? tmpfs->path : loop->path;
        const QString path = root + QStringLiteral("/game.bin");
        QVERIFY(create(path, QByteArray(4096, '\0')));
        QCOMPARE(::truncate(QFile::encodeName(path).constData(), 1 << 20), 0);
        QVERIFY(readOnly ? ::mount("none", QFile::encodeName(root).constData(), nullptr,
                                   MS_REMOUNT | MS_RDONLY, nullptr)
                               == 0
                         : (tmpfs ? tmpfs->fill(0) : loop->fill(0)));

        const PatchEnd end = patchWhereHolds(path, offsets, QByteArray(4, '\0'), liSi);
        QVERIFY(end.error);
        QCOMPARE(end.error->step, readOnly ? PatchStep::Open : PatchStep::Write);
        QTEST(end.error->code, "code");
        QCOMPARE(end.written, written);
        QByteArray expected(1 << 20, '\0'); // the bytes written before, nothing else
        for (const qint64 offset : written)
            expected.replace(offset, 4, liSi);
        QVERIFY(contents(path) == expected);
    }

    // A disc image's 4.7 GB, as holes (on a tmpfs as root: its holes read
    // faster than a disk's): 张三 at its start, across 4 GiB and at its end.
    void sparseDiscImage()
    {
        const SmallDisk disk(m_dir.filePath(QStringLiteral("disk")), "size=16m");
        const QString path =
            (disk.mounted ? disk.path : m_dir.path()) + QStringLiteral("/disc.iso");
        const qint64 size = 4'700'000'000, across = (qint64(1) << 32) - 2, last = size - 4;
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (!file.resize(size) || qint64(statOf(path).st_blocks) > 1024)
            QSKIP("the temporary folder's file system keeps no 4.7 GB sparse file");
        for (const qint64 offset : {qint64(0), across, last})
            QVERIFY(file.seek(offset) && file.write(zhangSan) == 4);
        file.close();

        const FoundHits found = searchAll(path, zhangSan);
        QVERIFY(!found.end.error);
        QCOMPARE(found.end.size, size);
        QCOMPARE(found.offsets, (Offsets{0, across, last}));
        const PatchEnd end = patchWhereHolds(path, {last, across}, zhangSan, liSi);
        QVERIFY(!end.error);
        QCOMPARE(end.written, (Offsets{last, across}));
        QCOMPARE(bytesAt(path, across - 2, 8) + bytesAt(path, last - 2, 8) + bytesAt(path, 0, 6),
                 "0000c0eecbc400000000c0eecbc4d5c5c8fd0000");
        QCOMPARE(qint64(statOf(path).st_size), size);
    }
};

QTEST_GUILESS_MAIN(tst_GameFileLinux)
#include "tst_gamefile_linux.moc"

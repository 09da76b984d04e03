// SPDX-License-Identifier: MIT
#include "convert/export.h"
#include "support/exportfolder.h"
#include "support/exportlines.h"
#include "support/files.h"
#include "support/files_posix.h"
#include "support/sizelimit.h"
#include "support/smalldisk.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <sys/xattr.h>

using convert::ExportStep;

Q_DECLARE_METATYPE(ExportStep)

namespace {

QByteArray attribute(const QString &path, const char *name)
{
    char value[256];
    const ssize_t n = ::getxattr(QFile::encodeName(path).constData(), name, value, sizeof value);
    return n < 0 ? QByteArray("<none>") : QByteArray(value, int(n));
}

// An access ACL in the kernel's format (what setfacl writes), little-endian:
// version 2, then tag, permissions and id of each entry, in tag order.
QByteArray accessAcl(std::initializer_list<std::array<quint32, 3>> entries)
{
    QByteArray acl;
    const auto put = [&](quint32 value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            acl.append(char((value >> (8 * i)) & 0xFF));
    };
    put(2, 4);
    for (const auto &[tag, permissions, id] : entries) {
        put(tag, 2);
        put(permissions, 2);
        put(id, 4);
    }
    return acl;
}

} // namespace

// What Linux has: tmpfs, ext4 and ext2 mounts (as root), extended
// attributes and ACLs, unnamed temporary files (O_TMPFILE).
class tst_ExportLinux : public QObject {
    Q_OBJECT

    std::unique_ptr<ExportFolder> tempDir;

private slots:
    void init() { tempDir = std::make_unique<ExportFolder>(); }

    // The real thing: a full tmpfs (only root may mount one, as in CI).
    void fullDiskLeavesTargetAsItWas_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("free");
        QTest::newRow("10 lines onto a full disk") << 10 << 0;
        QTest::newRow("300 lines with a little space left") << 300 << 4096;
        QTest::newRow("2000 lines with 20 KiB left") << 2000 << 20480;
    }
    void fullDiskLeavesTargetAsItWas()
    {
        QFETCH(int, lines);
        QFETCH(int, free);
        if (::geteuid() != 0)
            QSKIP("only root may mount a tmpfs");
        const SmallDisk disk(tempDir->pathOf("disk"));
        if (!disk.mounted) // root in a container may lack the right to mount
            QSKIP("this machine does not let root mount a tmpfs");
        const QString path = disk.path + QStringLiteral("/names.txt");
        const QByteArray old("\xD5\xC5\xC8\xFD\r\nold names\r\n");
        QVERIFY(create(path, old));
        QVERIFY(disk.fill(free));

        const auto error = exportTo(path, someLines(lines));
        QVERIFY(error);
        QCOMPARE(error->code, ENOSPC);
        QCOMPARE(contents(path), old);
        QCOMPARE(QDir(disk.path).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"filler", "names.txt"}));
    }

    // An in-place rewrite (a file nobody may write, in a folder they may
    // not) on a real, nearly full file system.
    // ext4 reserves the space first; ext2 cannot, so the writes fill the
    // disk or reach the file-size limit part-way, after overwriting began.
    // Either way the old bytes and length come back and the space is free
    // again; with room enough, ext2 gets its export.
    void inPlaceOnSmallDisk_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<qint64>("free");  // bytes left free; -1: not filled
        QTest::addColumn<qint64>("limit"); // the file-size limit; -1: none
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<int>("code"); // the failure's; 0: exported
        const QByteArray small("old content\r\n");
        const QByteArray blocks = QByteArray(5000, 'o') + "\r\n";
        QTest::newRow("ext4, 30 KiB free: no room, found before writing")
            << "ext4" << qint64(30720) << qint64(-1) << small << ENOSPC;
        QTest::newRow("ext2 has no fallocate: room enough, exported")
            << "ext2" << qint64(-1) << qint64(-1) << blocks << 0;
        QTest::newRow("ext2, 30 KiB free: full part-way, old content back")
            << "ext2" << qint64(30720) << qint64(-1) << blocks << ENOSPC;
        QTest::newRow("ext2 under ulimit -f 16: cut part-way, old content back")
            << "ext2" << qint64(30720) << qint64(16384) << small << EFBIG;
    }
    void inPlaceOnSmallDisk()
    {
        QFETCH(QString, type);
        QFETCH(qint64, free);
        QFETCH(qint64, limit);
        QFETCH(QByteArray, old);
        QFETCH(int, code);
        const LoopDisk disk(tempDir->path(), type);
        if (!disk.mounted)
            QSKIP(qPrintable(disk.reason));
        // Nobody may pass through the folders but write only the file.
        const QString folder = disk.path + QStringLiteral("/shared");
        QVERIFY(QDir().mkpath(folder));
        for (const QString &each : {tempDir->path(), disk.path, folder})
            QCOMPARE(::chmod(QFile::encodeName(each).constData(), 0755), 0);
        const QString path = folder + QStringLiteral("/names.txt");
        QVERIFY(create(path, old));
        QCOMPARE(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
        const ino_t inode = statOf(path).st_ino;
        if (free >= 0)
            QVERIFY(disk.fill(free));
        const qint64 freeBefore = freeBytes(disk.path);

        const QStringList lines = someLines(5000); // about 100 KB
        const ChildResult child = runWithFileSizeLimit(
            limit < 0 ? RLIM_INFINITY : rlim_t(limit), [&](QByteArray &output) {
                if (!becomeNobody())
                    return 98;
                const auto error = exportTo(path, lines);
                output = describe(error);
                if (code == 0)
                    return error ? 1 : 0;
                return error && error->step == ExportStep::Write && error->code == code ? 0 : 1;
            });
        QVERIFY(child.exited);
        QVERIFY2(child.code == 0, child.output.constData());
        QCOMPARE(statOf(path).st_ino, inode);
        QCOMPARE(everythingIn(folder), QStringList{"names.txt"});
        if (code == 0) {
            QVERIFY(!exportTo(tempDir->pathOf("expected.txt"), lines));
            QCOMPARE(contents(path), contents(tempDir->pathOf("expected.txt")));
            return;
        }
        QCOMPARE(contents(path), old);
        QCOMPARE(statOf(path).st_size, off_t(old.size()));
        QCOMPARE(freeBytes(disk.path), freeBefore);
    }

    // The replacing file carries the old one's extended attributes,
    // the access ACL among them, and so the old mode too.
    void replacementKeepsExtendedAttributes()
    {
        const QString path = tempDir->pathOf("acl.txt");
        QVERIFY(create(path, "old"));
        const QByteArray name = QFile::encodeName(path);
        QCOMPARE(::chmod(name.constData(), 0644), 0);
        // setfacl -m u:nobody:rw,g:users:r
        const QByteArray acl = accessAcl({{0x01, 6, 0xFFFFFFFF},
                                          {0x02, 6, 65534},
                                          {0x04, 4, 0xFFFFFFFF},
                                          {0x08, 4, 100},
                                          {0x10, 6, 0xFFFFFFFF},
                                          {0x20, 4, 0xFFFFFFFF}});
        if (::setxattr(name.constData(), "user.comment", "names", 5, 0) != 0
            || ::setxattr(name.constData(), "system.posix_acl_access", acl.constData(),
                          size_t(acl.size()), 0)
                   != 0)
            QSKIP("the temporary folder's file system keeps no extended attributes or ACLs");
        const QByteArray aclBefore = attribute(path, "system.posix_acl_access");
        const mode_t modeBefore = statOf(path).st_mode;

        QVERIFY(!exportTo(path, {"A"}));
        QCOMPARE(contents(path), QByteArray("A\r\n"));
        QCOMPARE(attribute(path, "user.comment"), QByteArray("names"));
        QCOMPARE(attribute(path, "system.posix_acl_access"), aclBefore);
        QCOMPARE(statOf(path).st_mode, modeBefore);
        QCOMPARE(everythingIn(tempDir->path()), QStringList{"acl.txt"});
    }

    // An attribute the new file cannot get (only root may set one
    // in the security namespace) is kept by rewriting the file in place.
    void attributeThatCannotBeCarriedKeepsFileInPlace()
    {
        if (::geteuid() != 0)
            QSKIP("needs root, to set an attribute that another user cannot copy");
        const QString path = tempDir->pathOf("labelled.txt");
        QVERIFY(create(path, "old"));
        const QByteArray name = QFile::encodeName(path);
        QCOMPARE(::chmod(name.constData(), 0666), 0);
        if (::setxattr(name.constData(), "security.vemdra", "kept", 4, 0) != 0)
            QSKIP("the temporary folder's file system keeps no security attributes");
        const ino_t inode = statOf(path).st_ino;
        QCOMPARE(::chmod(QFile::encodeName(tempDir->path()).constData(), 0777), 0);
        const ChildResult child = runWithFileSizeLimit(RLIM_INFINITY, [&](QByteArray &output) {
            if (!becomeNobody())
                return 98;
            const auto error = exportTo(path, {"A"});
            output = describe(error);
            return error ? 1 : 0;
        });
        QCOMPARE(::chmod(QFile::encodeName(tempDir->path()).constData(), 0700), 0);
        QVERIFY(child.exited);
        QVERIFY2(child.code == 0, child.output.constData());
        QCOMPARE(contents(path), QByteArray("A\r\n"));
        QCOMPARE(statOf(path).st_ino, inode);
        QCOMPARE(attribute(path, "security.vemdra"), QByteArray("kept"));
        QCOMPARE(everythingIn(tempDir->path()), QStringList{"labelled.txt"});
    }

    // An export killed before its rename leaves nothing behind
    // where the file system has unnamed files. The file-size limit with
    // SIGXFSZ left at its default kills the exporting process part-way, as
    // a kill -9 would.
    void killedExportLeavesNoTemporaryFile()
    {
        const int probe = ::open(QFile::encodeName(tempDir->path()).constData(),
                                 O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (probe < 0)
            QSKIP("the temporary folder's file system has no unnamed files (O_TMPFILE)");
        ::close(probe);
        const QString path = tempDir->pathOf("target.txt");
        const QByteArray old("old content\r\n");
        QVERIFY(create(path, old));
        const ChildResult child = runWithFileSizeLimit(
            4096, [&](QByteArray &) { return exportTo(path, someLines(2000)) ? 1 : 0; }, false);
        QVERIFY(!child.exited); // killed by SIGXFSZ
        QCOMPARE(contents(path), old);
        QCOMPARE(everythingIn(tempDir->path()), QStringList{"target.txt"});
    }
};

QTEST_GUILESS_MAIN(tst_ExportLinux)
#include "tst_export_linux.moc"

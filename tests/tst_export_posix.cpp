// SPDX-License-Identifier: MIT
#include "convert/export.h"
#include "support/exportfolder.h"
#include "support/exportlines.h"
#include "support/files.h"
#include "support/files_posix.h"
#include "support/sizelimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <sys/stat.h>

using convert::ExportStep;

Q_DECLARE_METATYPE(ExportStep)

// What every POSIX system has: FIFOs, file-size limits, owners and modes,
// other users (as root), sticky folders and symbolic links.
class tst_ExportPosix : public QObject {
    Q_OBJECT

    std::unique_ptr<ExportFolder> tempDir;

private slots:
    void init() { tempDir = std::make_unique<ExportFolder>(); }

    void failureLeavesTargetAndNoTemporaryFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<ExportStep>("step");
        QTest::newRow("path is a FIFO") << QStringLiteral("fifo") << ExportStep::NotRegularFile;
        QTest::newRow("no file can be created there")
            << QStringLiteral("/proc/vemdra-export.txt") << ExportStep::Open;
    }
    void failureLeavesTargetAndNoTemporaryFile()
    {
        QFETCH(QString, path);
        QFETCH(ExportStep, step);
        QVERIFY(QDir(tempDir->path()).mkpath("folder"));
        QCOMPARE(mkfifo(QFile::encodeName(tempDir->pathOf("fifo")).constData(), 0600), 0);
        const QStringList before =
            QDir(tempDir->path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);

        const QString target = QDir::isAbsolutePath(path) ? path : tempDir->pathOf(path);
        const auto error = exportTo(target, {"A"});
        QVERIFY(error.has_value());
        QCOMPARE(error->step, step);

        QCOMPARE(
            QDir(tempDir->path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
            before);
        QVERIFY(QFileInfo(tempDir->pathOf("folder")).isDir());
        QVERIFY(!QFileInfo(tempDir->pathOf("fifo")).isFile());
        QVERIFY(QDir(tempDir->pathOf("folder")).isEmpty());
        QFile::remove(tempDir->pathOf("fifo"));
        QDir(tempDir->pathOf("folder")).removeRecursively();
    }

    // A disk that fills up: the size limit makes write() fail with EFBIG,
    // as root too. A small export fits in a library's write buffer, so its
    // failure shows only when the buffer is flushed.
    void writeCutShortLeavesTargetAsItWas_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("limit");
        QTest::newRow("a small export, all of it buffered") << 10 << 100;
        QTest::newRow("a large export, cut part-way") << 2000 << 4096;
    }
    void writeCutShortLeavesTargetAsItWas()
    {
        QFETCH(int, lines);
        QFETCH(int, limit);
        const QString path = tempDir->pathOf("target.txt");
        const QByteArray old("old content\r\n");
        QVERIFY(create(path, old));

        const ChildResult child = runWithFileSizeLimit(rlim_t(limit), [&](QByteArray &) {
            const auto error = exportTo(path, someLines(lines));
            return error && error->step == ExportStep::Write && error->code == EFBIG ? 0 : 1;
        });
        QVERIFY(child.exited);
        QCOMPARE(child.code, 0); // the failure was reported, with its reason
        QCOMPARE(contents(path), old);
        QCOMPARE(tempDir->filesHere(), QStringList{"target.txt"});
    }

    void replacementKeepsOwnerAndMode()
    {
        const QString path = tempDir->pathOf("user.txt");
        QVERIFY(create(path, "old"));
        const QByteArray name = QFile::encodeName(path);
        QCOMPARE(::chmod(name.constData(), 0640), 0);
        if (::geteuid() == 0)
            QCOMPARE(::chown(name.constData(), 1234, 5678), 0);
        const struct stat before = statOf(path);
        QVERIFY(QFile::link(path, tempDir->pathOf("link.txt")));

        QVERIFY(!exportTo(tempDir->pathOf("link.txt"), {"A"}));
        QCOMPARE(contents(path), QByteArray("A\r\n"));
        const struct stat after = statOf(path);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
    }

    // As a user who may write the file but not its folder: the file is
    // rewritten in place; one they may not write is left alone.
    void folderWithoutWriteAccess_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("exported");
        QTest::newRow("a writable file is rewritten in place") << 0666 << true;
        QTest::newRow("a read-only file is refused") << 0444 << false;
    }
    void folderWithoutWriteAccess()
    {
        QFETCH(int, mode);
        QFETCH(bool, exported);
        const QString path = tempDir->pathOf("shared.txt");
        const QByteArray old(5000, 'o');
        QVERIFY(create(path, old));
        const QByteArray name = QFile::encodeName(path);
        QCOMPARE(::chmod(name.constData(), mode_t(mode)), 0);
        const ino_t inode = statOf(path).st_ino;
        QCOMPARE(::chmod(QFile::encodeName(tempDir->path()).constData(), 0555), 0);

        const ChildResult child = runWithFileSizeLimit(RLIM_INFINITY, [&](QByteArray &) {
            // Root may write anywhere: be somebody else.
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
                return 98;
            const auto error = exportTo(path, {"A", "B"});
            if (!error)
                return 0;
            return error->step == ExportStep::Open && error->code == EACCES ? 1 : 2;
        });
        QCOMPARE(::chmod(QFile::encodeName(tempDir->path()).constData(), 0700), 0);
        QVERIFY(child.exited);
        QCOMPARE(child.code, exported ? 0 : 1);
        QCOMPARE(contents(path), exported ? QByteArray("A\r\nB\r\n") : old);
        QCOMPARE(statOf(path).st_ino, inode);
        QCOMPARE(tempDir->filesHere(), QStringList{"shared.txt"});
    }

    void followsSymlinkToItsTarget()
    {
        const QString target = tempDir->pathOf("real.txt");
        QVERIFY(create(target, "old"));
        QVERIFY(QFile::link(target, tempDir->pathOf("link.txt")));
        QVERIFY(!exportTo(tempDir->pathOf("link.txt"), {"A"}));
        QVERIFY(QFileInfo(tempDir->pathOf("link.txt")).isSymLink());
        QCOMPARE(contents(target), QByteArray("A\r\n"));
    }

    // Another user's writable file in a shared sticky folder (1777)
    // may be written but not replaced: it is rewritten in place.
    void stickyFolderFileOfAnotherUser()
    {
        if (::geteuid() != 0)
            QSKIP("needs root, to export as another user than the file's owner");
        const QString path = tempDir->pathOf("theirs.txt");
        QVERIFY(create(path, QByteArray(5000, 'o')));
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0666), 0);
        const ino_t inode = statOf(path).st_ino;
        QCOMPARE(::chmod(QFile::encodeName(tempDir->path()).constData(), 01777), 0);
        const ChildResult child = runWithFileSizeLimit(RLIM_INFINITY, [&](QByteArray &output) {
            if (!becomeNobody())
                return 98;
            const auto error = exportTo(path, {"A", "B"});
            output = describe(error);
            return error ? 1 : 0;
        });
        QCOMPARE(::chmod(QFile::encodeName(tempDir->path()).constData(), 0700), 0);
        QVERIFY(child.exited);
        QVERIFY2(child.code == 0, child.output.constData());
        QCOMPARE(contents(path), QByteArray("A\r\nB\r\n"));
        QCOMPARE(statOf(path).st_ino, inode);
        QCOMPARE(statOf(path).st_uid, uid_t(0));
        QCOMPARE(everythingIn(tempDir->path()), QStringList{"theirs.txt"});
    }

    // A chain of links is followed to its end, even a dangling one.
    void followsChainOfLinksToItsEnd()
    {
        QVERIFY(QFile::link(QStringLiteral("missing.txt"), tempDir->pathOf("b")));
        QVERIFY(QFile::link(QStringLiteral("b"), tempDir->pathOf("a")));
        QVERIFY(!exportTo(tempDir->pathOf("a"), {"A"}));
        QVERIFY(QFileInfo(tempDir->pathOf("a")).isSymLink());
        QVERIFY(QFileInfo(tempDir->pathOf("b")).isSymLink());
        QCOMPARE(contents(tempDir->pathOf("missing.txt")), QByteArray("A\r\n"));
        QCOMPARE(everythingIn(tempDir->path()), (QStringList{"a", "b", "missing.txt"}));
    }
};

QTEST_GUILESS_MAIN(tst_ExportPosix)
#include "tst_export_posix.moc"

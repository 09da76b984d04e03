// SPDX-License-Identifier: MIT
#include "convert/export.h"
#include "support/codec.h"
#include "support/files.h"
#include "support/sizelimit.h"

#include <QDir>
#include <QFile>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/mount.h>
#include <sys/stat.h>

using convert::exportLines;
using convert::ExportStep;

Q_DECLARE_METATYPE(ExportStep)

namespace {

std::optional<convert::ExportError> exportTo(const QString &path, const QStringList &list)
{
    convert::Lines lines;
    for (const QString &line : list)
        lines.append(line);
    return exportLines(path, lines, testCodec());
}

// Lines of about 20 bytes each in code page 936.
QStringList someLines(int count)
{
    return QStringList(count, QStringLiteral("序号:1  D6BB = 只"));
}

struct stat statOf(const QString &path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        qFatal("cannot stat %s", qPrintable(path));
    return info;
}

// A 64 KiB tmpfs, unmounted whatever happens; only root may mount one.
struct SmallDisk {
    QString path;
    bool mounted = false;
    explicit SmallDisk(const QString &where) : path(where)
    {
        mounted =
            QDir().mkpath(path)
            && ::mount("tmpfs", QFile::encodeName(path).constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk()
    {
        if (mounted)
            ::umount2(QFile::encodeName(path).constData(), MNT_DETACH);
    }
    // Fills the disk until `leave` bytes or fewer are free.
    bool fill(qint64 leave) const
    {
        QFile filler(path + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(1024, 'f');
        while (QStorageInfo(path).bytesAvailable() > leave) {
            if (filler.write(block) != block.size())
                break;
        }
        return true;
    }
};

} // namespace

class tst_Export : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> tempDir;
    QString pathOf(const QString &name) const { return tempDir->filePath(name); }
    QStringList filesHere() const { return QDir(tempDir->path()).entryList(QDir::Files); }

private slots:
    void init() { tempDir = std::make_unique<QTemporaryDir>(); }

    void writesBytesOfLines_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("two lines, hanzi as code page 936, CR LF each")
            << QStringList{QStringLiteral("序号:1   原字符:A    10进制:65   16进制:41"),
                           QStringLiteral("序号:2   原字符:只   10进制:214,187   16进制:D6 BB")}
            << QByteArray(
                   "\xD0\xF2\xBA\xC5:1   \xD4\xAD\xD7\xD6\xB7\xFB:A    10\xBD\xF8\xD6\xC6:65   16\xBD\xF8\xD6\xC6:41\r\n"
                   "\xD0\xF2\xBA\xC5:2   \xD4\xAD\xD7\xD6\xB7\xFB:\xD6\xBB   10\xBD\xF8\xD6\xC6:214,187   16\xBD\xF8\xD6\xC6:D6 BB\r\n");
        QTest::newRow("one line gives one line end") << QStringList{"A"} << QByteArray("A\r\n");
        QTest::newRow("empty line is kept") << QStringList{"", "B"} << QByteArray("\r\nB\r\n");
        QTest::newRow("replacement character is written as ?")
            << QStringList{QStringLiteral("序号:1  D6 = ") + QChar(QChar::ReplacementCharacter)}
            << QByteArray("\xD0\xF2\xBA\xC5:1  D6 = ?\r\n");
        QTest::newRow("euro sign and middle dot")
            << QStringList{QStringLiteral("€·")} << QByteArray("\x80\xA1\xA4\r\n");
        QTest::newRow("an invisible character is written as ?, as the list shows it")
            << QStringList{QStringLiteral("A") + QChar(0x202E) + QStringLiteral("B")}
            << QByteArray("A?B\r\n");
    }
    void writesBytesOfLines()
    {
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, bytes);
        const QString path = pathOf("out.txt");
        QVERIFY(!exportTo(path, lines));
        QCOMPARE(contents(path), bytes);
        QCOMPARE(filesHere(), QStringList{"out.txt"});
    }

    void replacesALongerFileWhole()
    {
        const QString path = pathOf("old.txt");
        QVERIFY(create(path, QByteArray(10000, 'x')));
        QVERIFY(!exportTo(path, {"A"}));
        QCOMPARE(contents(path), QByteArray("A\r\n"));
    }

    void exportsManyLinesWhole()
    {
        QStringList lines;
        for (int i = 0; i < 100000; ++i)
            lines.append(QStringLiteral("序号:%1").arg(i + 1));
        const QString path = pathOf("many.txt");
        QVERIFY(!exportTo(path, lines));
        const QByteArray bytes = contents(path);
        QCOMPARE(bytes.count("\r\n"), 100000);
        QVERIFY(bytes.endsWith("\xD0\xF2\xBA\xC5:100000\r\n"));
    }

    void failureLeavesTargetAndNoTemporaryFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<ExportStep>("step");
        QTest::newRow("folder on the path is missing")
            << QStringLiteral("missing/out.txt") << ExportStep::Open;
        QTest::newRow("path is a folder") << QStringLiteral("folder") << ExportStep::NotRegularFile;
        QTest::newRow("path is a FIFO") << QStringLiteral("fifo") << ExportStep::NotRegularFile;
        QTest::newRow("no file can be created there")
            << QStringLiteral("/proc/vemdra-export.txt") << ExportStep::Open;
    }
    void failureLeavesTargetAndNoTemporaryFile()
    {
        QFETCH(QString, path);
        QFETCH(ExportStep, step);
        QVERIFY(QDir(tempDir->path()).mkpath("folder"));
        QCOMPARE(mkfifo(QFile::encodeName(pathOf("fifo")).constData(), 0600), 0);
        const QStringList before =
            QDir(tempDir->path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);

        const QString target = QDir::isAbsolutePath(path) ? path : pathOf(path);
        const auto error = exportTo(target, {"A"});
        QVERIFY(error.has_value());
        QCOMPARE(error->step, step);

        QCOMPARE(
            QDir(tempDir->path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
            before);
        QVERIFY(QFileInfo(pathOf("folder")).isDir());
        QVERIFY(!QFileInfo(pathOf("fifo")).isFile());
        QVERIFY(QDir(pathOf("folder")).isEmpty());
        QFile::remove(pathOf("fifo"));
        QDir(pathOf("folder")).removeRecursively();
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
        const QString path = pathOf("target.txt");
        const QByteArray old("old content\r\n");
        QVERIFY(create(path, old));

        const ChildResult child = runWithFileSizeLimit(rlim_t(limit), [&](QByteArray &) {
            const auto error = exportTo(path, someLines(lines));
            return error && error->step == ExportStep::Write && error->code == EFBIG ? 0 : 1;
        });
        QVERIFY(child.exited);
        QCOMPARE(child.code, 0); // the failure was reported, with its reason
        QCOMPARE(contents(path), old);
        QCOMPARE(filesHere(), QStringList{"target.txt"});
    }

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
        const SmallDisk disk(pathOf("disk"));
        QVERIFY(disk.mounted);
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

    void readOnlyFileIsNotReplaced()
    {
        const QString path = pathOf("kept.txt");
        QVERIFY(create(path, "kept"));
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0444), 0);
        const auto error = exportTo(path, {"A"});
        QVERIFY(error);
        QCOMPARE(error->step, ExportStep::Open);
        QCOMPARE(error->code, EACCES);
        QCOMPARE(contents(path), QByteArray("kept"));
        QCOMPARE(filesHere(), QStringList{"kept.txt"});
    }

    void replacementKeepsOwnerAndMode()
    {
        const QString path = pathOf("user.txt");
        QVERIFY(create(path, "old"));
        const QByteArray name = QFile::encodeName(path);
        QCOMPARE(::chmod(name.constData(), 0640), 0);
        if (::geteuid() == 0)
            QCOMPARE(::chown(name.constData(), 1234, 5678), 0);
        const struct stat before = statOf(path);
        QVERIFY(QFile::link(path, pathOf("link.txt")));

        QVERIFY(!exportTo(pathOf("link.txt"), {"A"}));
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
        const QString path = pathOf("shared.txt");
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
        QCOMPARE(filesHere(), QStringList{"shared.txt"});
    }

    void followsSymlinkToItsTarget()
    {
        const QString target = pathOf("real.txt");
        QVERIFY(create(target, "old"));
        QVERIFY(QFile::link(target, pathOf("link.txt")));
        QVERIFY(!exportTo(pathOf("link.txt"), {"A"}));
        QVERIFY(QFileInfo(pathOf("link.txt")).isSymLink());
        QCOMPARE(contents(target), QByteArray("A\r\n"));
    }
};

QTEST_GUILESS_MAIN(tst_Export)
#include "tst_export.moc"

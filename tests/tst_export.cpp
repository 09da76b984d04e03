#include "support/codec.h"
#include "convert/export.h"
#include "support/files.h"
#include "support/sizelimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <sys/stat.h>

using convert::exportLines;

namespace {

std::optional<QString> exportTo(const QString &path, const QStringList &list)
{
    convert::Lines lines;
    for (const QString &line : list)
        lines.append(line);
    return exportLines(path, lines, testCodec());
}

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
            << QByteArray("\xD0\xF2\xBA\xC5:1   \xD4\xAD\xD7\xD6\xB7\xFB:A    10\xBD\xF8\xD6\xC6:65   16\xBD\xF8\xD6\xC6:41\r\n"
                          "\xD0\xF2\xBA\xC5:2   \xD4\xAD\xD7\xD6\xB7\xFB:\xD6\xBB   10\xBD\xF8\xD6\xC6:214,187   16\xBD\xF8\xD6\xC6:D6 BB\r\n");
        QTest::newRow("one line gives one line end") << QStringList{"A"} << QByteArray("A\r\n");
        QTest::newRow("empty line is kept") << QStringList{"", "B"} << QByteArray("\r\nB\r\n");
        QTest::newRow("replacement character is written as ?")
            << QStringList{QStringLiteral("序号:1  D6 = ") + QChar(QChar::ReplacementCharacter)}
            << QByteArray("\xD0\xF2\xBA\xC5:1  D6 = ?\r\n");
        QTest::newRow("euro sign and middle dot")
            << QStringList{QStringLiteral("€·")} << QByteArray("\x80\xA1\xA4\r\n");
    }
    void writesBytesOfLines()
    {
        QFETCH(QStringList, lines);
        QFETCH(QByteArray, bytes);
        const QString path = pathOf("out.txt");
        QCOMPARE(exportTo(path, lines), std::nullopt);
        QCOMPARE(contents(path), bytes);
        QCOMPARE(filesHere(), QStringList{"out.txt"});
    }

    void replacesALongerFileWhole()
    {
        const QString path = pathOf("old.txt");
        QVERIFY(create(path, QByteArray(10000, 'x')));
        QCOMPARE(exportTo(path, {"A"}), std::nullopt);
        QCOMPARE(contents(path), QByteArray("A\r\n"));
    }

    void exportsManyLinesWhole()
    {
        QStringList lines;
        for (int i = 0; i < 100000; ++i)
            lines.append(QStringLiteral("序号:%1").arg(i + 1));
        const QString path = pathOf("many.txt");
        QCOMPARE(exportTo(path, lines), std::nullopt);
        const QByteArray bytes = contents(path);
        QCOMPARE(bytes.count("\r\n"), 100000);
        QVERIFY(bytes.endsWith("\xD0\xF2\xBA\xC5:100000\r\n"));
    }

    void failureLeavesTargetAndNoTemporaryFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("folder on the path is missing") << QStringLiteral("missing/out.txt");
        QTest::newRow("path is a folder") << QStringLiteral("folder");
        QTest::newRow("path is a FIFO") << QStringLiteral("fifo");
        QTest::newRow("no file can be created there") << QStringLiteral("/proc/vemdra-export.txt");
    }
    void failureLeavesTargetAndNoTemporaryFile()
    {
        QFETCH(QString, path);
        QVERIFY(QDir(tempDir->path()).mkpath("folder"));
        QCOMPARE(mkfifo(QFile::encodeName(pathOf("fifo")).constData(), 0600), 0);
        const QStringList before = QDir(tempDir->path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);

        const QString target = QDir::isAbsolutePath(path) ? path : pathOf(path);
        const auto error = exportTo(target, {"A"});
        QVERIFY(error.has_value());
        QVERIFY(!error->isEmpty());

        QCOMPARE(QDir(tempDir->path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot), before);
        QVERIFY(QFileInfo(pathOf("folder")).isDir());
        QVERIFY(!QFileInfo(pathOf("fifo")).isFile());
        QVERIFY(QDir(pathOf("folder")).isEmpty());
        QFile::remove(pathOf("fifo"));
        QDir(pathOf("folder")).removeRecursively();
    }

    // A disk that fills up half-way: the size limit makes write() fail
    // with EFBIG, as root too.
    void writeCutShortLeavesTargetAsItWas()
    {
        const QString path = pathOf("target.txt");
        const QByteArray old("old content\r\n");
        QVERIFY(create(path, old));

        const ChildResult child = runWithFileSizeLimit(4096, [&](QByteArray &) {
            const auto error = exportTo(path, QStringList(2000, QStringLiteral("序号:1  D6BB = 只")));
            return error.has_value() ? 0 : 1;
        });
        QVERIFY(child.exited);
        QCOMPARE(child.code, 0);   // the failure was reported
        QCOMPARE(contents(path), old);
        QCOMPARE(filesHere(), QStringList{"target.txt"});
    }

    void followsSymlinkToItsTarget()
    {
        const QString target = pathOf("real.txt");
        QVERIFY(create(target, "old"));
        QVERIFY(QFile::link(target, pathOf("link.txt")));
        QCOMPARE(exportTo(pathOf("link.txt"), {"A"}), std::nullopt);
        QVERIFY(QFileInfo(pathOf("link.txt")).isSymLink());
        QCOMPARE(contents(target), QByteArray("A\r\n"));
    }
};

QTEST_GUILESS_MAIN(tst_Export)
#include "tst_export.moc"

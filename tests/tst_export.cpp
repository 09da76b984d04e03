// SPDX-License-Identifier: MIT
#include "convert/export.h"
#include "support/exportfolder.h"
#include "support/exportlines.h"
#include "support/filecodes.h"
#include "support/fileidentity.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using convert::ExportStep;

Q_DECLARE_METATYPE(ExportStep)

// The export as every platform writes it; what only one platform has is in
// tst_export_<platform>.cpp.
class tst_Export : public QObject {
    Q_OBJECT

    std::unique_ptr<ExportFolder> tempDir;

private slots:
    void init() { tempDir = std::make_unique<ExportFolder>(); }

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
        const QString path = tempDir->pathOf("out.txt");
        QVERIFY(!exportTo(path, lines));
        QCOMPARE(contents(path), bytes);
        QCOMPARE(tempDir->filesHere(), QStringList{"out.txt"});
    }

    void replacesALongerFileWhole()
    {
        const QString path = tempDir->pathOf("old.txt");
        QVERIFY(create(path, QByteArray(10000, 'x')));
        QVERIFY(!exportTo(path, {"A"}));
        QCOMPARE(contents(path), QByteArray("A\r\n"));
    }

    void exportsManyLinesWhole()
    {
        QStringList lines;
        for (int i = 0; i < 100000; ++i)
            lines.append(QStringLiteral("序号:%1").arg(i + 1));
        const QString path = tempDir->pathOf("many.txt");
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
    }
    void failureLeavesTargetAndNoTemporaryFile()
    {
        QFETCH(QString, path);
        QFETCH(ExportStep, step);
        QVERIFY(QDir(tempDir->path()).mkpath("folder"));
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
        QVERIFY(QDir(tempDir->pathOf("folder")).isEmpty());
        QDir(tempDir->pathOf("folder")).removeRecursively();
    }

    void readOnlyFileIsNotReplaced()
    {
        const QString path = tempDir->pathOf("kept.txt");
        QVERIFY(create(path, "kept"));
        QVERIFY(makeReadOnly(path));
        const auto error = exportTo(path, {"A"});
        QVERIFY(error);
        QCOMPARE(error->step, ExportStep::Open);
        QCOMPARE(error->code, expectedCode::readOnly);
        QCOMPARE(contents(path), QByteArray("kept"));
        QCOMPARE(tempDir->filesHere(), QStringList{"kept.txt"});
    }
};

QTEST_GUILESS_MAIN(tst_Export)
#include "tst_export.moc"

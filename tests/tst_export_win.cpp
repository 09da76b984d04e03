// SPDX-License-Identifier: MIT
#include "convert/export.h"
#include "support/codec.h"
#include "support/files.h"
#include "support/savefolder.h"
#include "support/windowsfiles.h"

#include <QDir>
#include <QTest>

#include <memory>

#include <windows.h>

using convert::ExportStep;

Q_DECLARE_METATYPE(ExportStep)

// What only Windows has: file attributes, devices by name, and another
// program's handle with its sharing modes. A read-only file is refused as
// on every platform (tst_export).
class tst_ExportWin : public QObject {
    Q_OBJECT

    std::unique_ptr<SaveFolder> m_folder;
    QString path(const QString &file) const { return m_folder->path(file); }
    QStringList filesHere() const
    {
        return QDir(m_folder->folder()).entryList(QDir::Files | QDir::Hidden);
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<SaveFolder>();
        QVERIFY(m_folder->isValid());
    }
    void cleanup() { m_folder.reset(); }

    void exportReplacesOrRefuses_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("exported");
        QTest::addColumn<ExportStep>("step");
        QTest::newRow("an existing file is replaced") << "old" << true << ExportStep::Open;
        QTest::newRow("the console is refused") << "CON" << false << ExportStep::NotRegularFile;
    }
    void exportReplacesOrRefuses()
    {
        QFETCH(QString, target);
        QFETCH(bool, exported);
        QFETCH(ExportStep, step);
        const QString file = target == "CON" ? target : path(QStringLiteral("结果.txt"));
        const QByteArray old("old\r\n");
        if (target != "CON")
            QVERIFY(create(file, old));
        // The replaced file's attributes are kept.
        if (target == "old")
            QVERIFY(setFileAttributes(file, FILE_ATTRIBUTE_HIDDEN));
        convert::Lines lines;
        lines.append(QStringLiteral("张三"));
        const auto error = convert::exportLines(file, lines, testCodec());
        if (exported) {
            QVERIFY(!error);
            QCOMPARE(contents(file), QByteArray("\xD5\xC5\xC8\xFD\r\n"));
            QVERIFY(fileAttributes(file) & FILE_ATTRIBUTE_HIDDEN);
        } else {
            QVERIFY(error);
            QCOMPARE(error->step, step);
            if (target != "CON")
                QCOMPARE(contents(file), old);
        }
        if (target != "CON")
            QCOMPARE(filesHere(), QStringList{QStringLiteral("结果.txt")});
    }

    // A file another program holds open cannot be replaced, but where that
    // program shares it for writing, it is rewritten in place (under Wine
    // without reserving its space first, which Wine cannot do). Where it
    // does not, the reason says that the file is in use.
    void exportOverAFileAnotherProgramHolds_data()
    {
        QTest::addColumn<int>("share");
        QTest::addColumn<bool>("exported");
        QTest::newRow("shared for reading and writing")
            << int(FILE_SHARE_READ | FILE_SHARE_WRITE) << true;
        QTest::newRow("shared for everything, deleting included")
            << int(FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE) << true;
        QTest::newRow("shared for reading only") << int(FILE_SHARE_READ) << false;
        QTest::newRow("held exclusively") << 0 << false;
    }
    void exportOverAFileAnotherProgramHolds()
    {
        QFETCH(int, share);
        QFETCH(bool, exported);
        const QString file = path(QStringLiteral("结果.txt"));
        const QByteArray old = QByteArray(5000, 'o') + "\r\n";
        QVERIFY(create(file, old));
        convert::Lines lines;
        lines.append(QStringLiteral("张三"));
        auto other = std::make_unique<HeldOpen>(file, DWORD(share));
        QVERIFY(other->isOpen());
        const auto error = convert::exportLines(file, lines, testCodec());
        other.reset();
        if (exported) {
            QVERIFY2(!error, qPrintable(QString::number(error ? error->code : 0)));
            QCOMPARE(contents(file), QByteArray("\xD5\xC5\xC8\xFD\r\n"));
        } else {
            QVERIFY(error);
            QCOMPARE(error->code, int(ERROR_SHARING_VIOLATION));
            QCOMPARE(contents(file), old);
        }
        QCOMPARE(filesHere(), QStringList{QStringLiteral("结果.txt")});
    }
};

QTEST_GUILESS_MAIN(tst_ExportWin)
#include "tst_export_win.moc"

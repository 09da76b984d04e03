// SPDX-License-Identifier: MIT
#include "app/resultlist.h"
#include "support/files.h"
#include "support/mainwindowfixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class tst_ExportButtons : public QObject {
    Q_OBJECT

    MainWindowFixture f;
    std::unique_ptr<QTemporaryDir> tempDir;

    // Fills List1 from Text1 ("A只") and List2 from Text2 ("D6BB 27").
    void fillBothLists()
    {
        f.field("Text1")->setText(QStringLiteral("A只"));
        f.click("Command3");
        f.field("Text2")->setText(QStringLiteral("D6BB 27"));
        f.click("Command4");
    }

private slots:
    void init()
    {
        f.open();
        tempDir = std::make_unique<QTemporaryDir>();
    }
    void cleanup()
    {
        QCOMPARE(f.prompts.unscripted, 0);
        f.close();
    }

    void buttons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("导出结果 of page 0 writes List1")
            << "Command5"
            << QByteArray(
                   "\xD0\xF2\xBA\xC5:1   \xD4\xAD\xD7\xD6\xB7\xFB:A    10\xBD\xF8\xD6\xC6:65   16\xBD\xF8\xD6\xC6:41\r\n"
                   "\xD0\xF2\xBA\xC5:2   \xD4\xAD\xD7\xD6\xB7\xFB:\xD6\xBB   10\xBD\xF8\xD6\xC6:214,187   16\xBD\xF8\xD6\xC6:D6 BB\r\n");
        QTest::newRow("导出结果 of page 1 writes List2")
            << "Command6"
            << QByteArray("\xD0\xF2\xBA\xC5:1  D6BB = \xD6\xBB\r\n\xD0\xF2\xBA\xC5:2  27 = '\r\n");
    }

    void emptyListGivesMessageAndNoDialog_data() { buttons_data(); }
    void emptyListGivesMessageAndNoDialog()
    {
        QFETCH(QString, button);
        f.click(qPrintable(button));
        QVERIFY(f.prompts.saveRequests.isEmpty());
        QCOMPARE(f.prompts.messages.size(), 1);
        QCOMPARE(f.prompts.messages[0].title, QStringLiteral("错误!"));
        QCOMPARE(f.prompts.messages[0].text, QStringLiteral("请您先计算出结果，在导出计算结果!"));
    }

    void writesTheListAtTheChosenPath_data() { buttons_data(); }
    void writesTheListAtTheChosenPath()
    {
        QFETCH(QString, button);
        QFETCH(QByteArray, bytes);
        fillBothLists();
        // No extension is added to a name without one.
        const QString path = tempDir->filePath(QStringLiteral("结果 文件"));
        f.prompts.saveAnswers.enqueue(path);
        f.click(qPrintable(button));
        QCOMPARE(contents(path), bytes);
        QVERIFY(f.prompts.messages.isEmpty());
        QCOMPARE(f.prompts.saveRequests.size(), 1);
        QCOMPARE(f.prompts.saveRequests[0].title, QStringLiteral("导出结果"));
        QCOMPARE(f.prompts.saveRequests[0].filter, QStringLiteral("文本文件(*.txt)|*.txt"));
    }

    void cancelWritesNothingAndChooserRemembersTheLastFile()
    {
        fillBothLists();
        const QString first = tempDir->filePath("first.txt");
        f.prompts.saveAnswers.enqueue(first);
        f.click("Command5");
        f.prompts.saveAnswers.enqueue(QString());
        f.click("Command6");
        QCOMPARE(f.prompts.saveRequests.size(), 2);
        QCOMPARE(f.prompts.saveRequests[1].proposedPath, first);
        QCOMPARE(QDir(tempDir->path()).entryList(QDir::Files), QStringList{"first.txt"});
        QVERIFY(contents(first).startsWith("\xD0\xF2\xBA\xC5:1   "));
        QVERIFY(f.prompts.messages.isEmpty());
    }

    void failureNamesThePathAndKeepsTheList()
    {
        fillBothLists();
        const QString path = tempDir->filePath("missing/out.txt");
        f.prompts.saveAnswers.enqueue(path);
        f.click("Command5");
        QCOMPARE(f.prompts.messages.size(), 1);
        QCOMPARE(f.prompts.messages[0].title, QStringLiteral("错误!"));
        QVERIFY(f.prompts.messages[0].text.contains(QDir::toNativeSeparators(path)));
        QCOMPARE(f.control<ResultList>("List1")->count(), 2);
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(tst_ExportButtons)
#include "tst_exportbuttons.moc"

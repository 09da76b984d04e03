// SPDX-License-Identifier: MIT
#include "app/resultlist.h"
#include "convert/codechars.h"
#include "support/files.h"
#include "support/mainwindowfixture.h"

#include <QAction>
#include <QClipboard>
#include <QTemporaryDir>

class tst_Tables : public QObject {
    Q_OBJECT

    MainWindowFixture f;
    QTemporaryDir dir;

    QAction *action(const char *name) { return f.window->findChild<QAction *>(name); }

private slots:
    void init() { f.open(); }
    void cleanup()
    {
        QCOMPARE(f.prompts.unscripted, 0);
        f.close();
    }

    // 张三A三 from List1, from its context menu or the 文件 menu; the name
    // typed without a dot gets ".tbl".
    void tableOfList1_data()
    {
        QTest::addColumn<bool>("contextMenu");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("context menu, UTF-16, suffix added")
            << true << QStringLiteral("码表 UTF-16(*.tbl)|*.tbl") << "码表"
            << "码表.tbl"
            << QByteArray("\xFF\xFE"
                          "D\0005\000C\0005\000=\000\x20\x5F\r\000\n\000"
                          "C\0008\000F\000D\000=\000\x09\x4E\r\000\n\000"
                          "4\0001\000=\000A\000\r\000\n\000",
                          46);
        QTest::newRow("文件 menu, UTF-8, a name with a dot kept")
            << false << QStringLiteral("码表 UTF-8(*.tbl)|*.tbl") << "t.txt"
            << "t.txt" << QByteArray("D5C5=\xE5\xBC\xA0\r\nC8FD=\xE4\xB8\x89\r\n41=A\r\n");
    }
    void tableOfList1()
    {
        QFETCH(bool, contextMenu);
        QFETCH(QString, filter);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(QByteArray, bytes);
        f.field("Text1")->setText(QStringLiteral("张三A三"));
        f.click("Command3");
        f.prompts.saveAnswers.enqueue(dir.filePath(typed));
        f.prompts.saveFilterAnswers.enqueue(filter);
        auto *list = f.control<ResultList>("List1");
        QAction *item = action("mnu_exportTable");
        for (QAction *a : list->actions())
            item = contextMenu && a->text() == QStringLiteral("导出码表…") ? a : item;
        item->trigger();
        QCOMPARE(contents(dir.filePath(written)), bytes);
        QVERIFY(f.prompts.messages.isEmpty());
    }

    void wholeTableReadsBackThroughPage1_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::newRow("UTF-16") << QStringLiteral("码表 UTF-16(*.tbl)|*.tbl");
        QTest::newRow("UTF-8") << QStringLiteral("码表 UTF-8(*.tbl)|*.tbl");
    }
    void wholeTableReadsBackThroughPage1()
    {
        QFETCH(QString, filter);
        const QString path = dir.filePath("whole.tbl");
        f.prompts.saveAnswers.enqueue(path);
        f.prompts.saveFilterAnswers.enqueue(filter);
        action("mnu_exportWholeTable")->trigger();
        const QByteArray bytes = contents(path);
        const QString text =
            filter.contains(u"16") ? QString::fromUtf16(
                reinterpret_cast<const char16_t *>(bytes.constData() + 2), (bytes.size() - 2) / 2)
                                   : QString::fromUtf8(bytes);
        QVERIFY(bytes.startsWith("\xFF\xFE") == filter.contains(u"16"));
        QStringList lines = text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.takeLast(), QString());
        QCOMPARE(lines.size(), 21887);
        for (const QString &line : lines) {
            const qsizetype equals = line.indexOf(u'=');
            const convert::CodeRows back(line.left(equals), testCodec());
            QCOMPARE(back.text(0), QStringView(line).mid(equals + 1));
        }
    }

    void copyingCodesRefusesACharacterOutsideTheCodePage()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
        f.field("Text1")->setText(QStringLiteral("张𠀀三"));
        f.click("Command3");
        auto *list = f.control<ResultList>("List1");
        list->selectAll();
        for (QAction *a : list->actions())
            if (a->text() == QStringLiteral("复制16进制码(&H)"))
                a->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("kept"));
        QCOMPARE(f.prompts.messages.size(), 1);
        QVERIFY(f.prompts.messages[0].text.contains(QStringLiteral("“𠀀”（U+20000）")));
    }
};

QTEST_MAIN(tst_Tables)
#include "tst_tables.moc"

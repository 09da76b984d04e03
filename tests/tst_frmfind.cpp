// SPDX-License-Identifier: MIT
// The find window through its controls: a file searched, a hit replaced
// and the replacement taken back, up to a disc image's size.
#include "app/resultlist.h"
#include "support/mainwindowfixture.h"
#include "support/savefolder.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTest>

class tst_frmfind : public QObject {
    Q_OBJECT

private slots:
    void init() { fixture.open(); }
    void cleanup()
    {
        QCOMPARE(fixture.prompts.unscripted, 0);
        fixture.close();
    }
    void findReplaceAndTakeBack_data();
    void findReplaceAndTakeBack();

private:
    QWidget *findWindow() const
    {
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->objectName() == u"frmFind")
                return top;
        return nullptr;
    }
    template <typename T>
    T *inFind(const char *name) const
    {
        return findWindow()->findChild<T *>(QString::fromLatin1(name));
    }

    MainWindowFixture fixture;
};

// 张三 at the start, across the first 1 MiB read's end, in the last bytes.
void tst_frmfind::findReplaceAndTakeBack_data()
{
    QTest::addColumn<qint64>("size");
    QTest::newRow("3 MiB") << qint64(3 << 20);
    QTest::newRow("4.7 GB, sparse") << qint64(4'700'000'000);
}

void tst_frmfind::findReplaceAndTakeBack()
{
    QFETCH(qint64, size);
    const QByteArray zhangSan = QByteArray::fromHex("D5C5C8FD");
    const QByteArray liSi = QByteArray::fromHex("C0EECBC4");
    const QList<qint64> offsets = {0, (1 << 20) - 2, size - 4};
    SaveFolder folder;
    const QString path = folder.path(QStringLiteral("游戏 数据.bin"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (!file.resize(size))
            QSKIP("this file system takes no file of that size");
        for (const qint64 offset : offsets)
            QVERIFY(file.seek(offset) && file.write(zhangSan) == 4);
    }

    fixture.window->findChild<QAction *>(QStringLiteral("mnu_find"))->trigger();
    QVERIFY(findWindow() && findWindow()->isVisible());
    inFind<QLineEdit>("txtFile")->setText(path);
    MainWindowFixture::commitText(inFind<QLineEdit>("txtFind"), QStringLiteral("张三"));
    QTest::mouseClick(inFind<QPushButton>("cmdFind"), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(inFind<QPushButton>("cmdFind")->isEnabled(), 120'000);
    auto *hits = inFind<ResultList>("lstHits");
    QCOMPARE(hits->count(), 3);
    QVERIFY2(hits->rows().line(1).startsWith(QStringLiteral("000FFFFE (1048574)  ")),
             qPrintable(hits->rows().line(1)));
    QVERIFY(hits->rows().line(1).contains(QStringLiteral("【张三】")));

    // The hit across the boundary becomes 李四; nothing else changes.
    hits->setCurrentIndex(hits->model()->index(1, 0));
    MainWindowFixture::commitText(inFind<QLineEdit>("txtReplace"), QStringLiteral("李四"));
    QTest::mouseClick(inFind<QPushButton>("cmdReplaceSelected"), Qt::LeftButton);
    QTRY_COMPARE(fixture.prompts.messages.size(), 1);
    QCOMPARE(fixture.prompts.messages[0].title, QStringLiteral("提示"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.size(), size);
    const auto bytesAt = [&](qint64 offset) { return file.seek(offset) ? file.read(4) : "?"; };
    QCOMPARE(bytesAt(offsets[0]), zhangSan);
    QCOMPARE(bytesAt(offsets[1]), liSi);
    QCOMPARE(bytesAt(offsets[2]), zhangSan);
    QVERIFY(hits->rows().line(1).contains(QStringLiteral("【李四】")));

    fixture.prompts.questionAnswers.enqueue(true);
    QTest::mouseClick(inFind<QPushButton>("cmdUndo"), Qt::LeftButton);
    QTRY_COMPARE(fixture.prompts.messages.size(), 2);
    QVERIFY2(fixture.prompts.questions[0].text.contains(u"1 处"),
             qPrintable(fixture.prompts.questions[0].text));
    QCOMPARE(bytesAt(offsets[1]), zhangSan);
    QCOMPARE(file.size(), size);
    findWindow()->close();
}

QTEST_MAIN(tst_frmfind)
#include "tst_frmfind.moc"

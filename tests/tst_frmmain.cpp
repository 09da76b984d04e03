// SPDX-License-Identifier: MIT
#include "app/resultlist.h"
#include "support/accessibility.h"
#include "support/mainwindowfixture.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QTabWidget>

class tst_frmMain : public QObject {
    Q_OBJECT

    MainWindowFixture f;
    ResultList *list1() const { return f.control<ResultList>("List1"); }
    QTabWidget *tabs() const { return f.control<QTabWidget>("SSTab1"); }

private slots:
    void init() { f.open(); }
    void cleanup()
    {
        QCOMPARE(f.prompts.unscripted, 0);
        f.close();
        QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void opensReadyOnPageZero()
    {
        QVERIFY(MainWindowFixture::showActive(f.window.get()));
        QCOMPARE(f.window->windowTitle(), QStringLiteral("Vemdra v1.5a (真·三国无双3特别版)"));
        QCOMPARE(f.control("centralwidget")->size(), QSize(419, 393));
        QCOMPARE(tabs()->currentIndex(), 0);
        QVERIFY(f.control<QRadioButton>("Option1")->isChecked());
        QCOMPARE(QApplication::focusWidget(), f.control("Command1"));
        for (QLineEdit *field : f.window->findChildren<QLineEdit *>()) {
            QVERIFY(field->text().isEmpty());
            QCOMPARE(field->maxLength(), std::numeric_limits<int>::max());
        }
        QCOMPARE(list1()->count(), 0);
    }

    void labelsNameTheirFields_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("field");
        QTest::newRow("text to convert") << "Label2"
                                         << "Text1";
        QTest::newRow("codes to convert") << "Label3"
                                          << "Text2";
        QTest::newRow("save file path") << "Label6"
                                        << "Text3";
        QTest::newRow("first name box") << "Label7"
                                        << "Text4";
        QTest::newRow("first hexadecimal box") << "Label8"
                                               << "Text8";
    }
    void labelsNameTheirFields()
    {
        QFETCH(QString, label);
        QFETCH(QString, field);
        QCOMPARE(f.control<QLabel>(qPrintable(label))->buddy(), f.control(qPrintable(field)));
    }

    void everyControlHasAName()
    {
        const QStringList unnamed = unnamedControls(f.window.get());
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u' ')));
    }

    void convertsTypedText()
    {
        QTest::keyClicks(f.field("Text1"), "A");
        MainWindowFixture::commitText(f.field("Text1"), QStringLiteral("只"));
        f.click("Command3");
        QCOMPARE(list1()->lines().toStringList(),
                 (QStringList{
                     QStringLiteral("序号:1   原字符:A    10进制:65   16进制:41"),
                     QStringLiteral("序号:2   原字符:只   10进制:214,187   16进制:D6 BB"),
                 }));
        QCOMPARE(f.field("Text1")->text(), QStringLiteral("A只"));
    }

    void secondConversionReplacesTheFirst()
    {
        f.field("Text1")->setText(QStringLiteral("张三丰"));
        f.click("Command3");
        f.field("Text1")->setText(QStringLiteral("B"));
        f.click("Command3");
        QCOMPARE(list1()->lines().toStringList(),
                 QStringList{QStringLiteral("序号:1   原字符:B    10进制:66   16进制:42")});
    }

    void emptyInputShowsMessageAndKeepsList()
    {
        f.field("Text1")->setText(QStringLiteral("A"));
        f.click("Command3");
        f.field("Text1")->clear();
        f.click("Command3");
        QCOMPARE(f.prompts.messages.size(), 1);
        QCOMPARE(f.prompts.messages[0].title, QStringLiteral("错误!"));
        QCOMPARE(f.prompts.messages[0].text, QStringLiteral("请您先输入转换信息，在点击转换!"));
        QCOMPARE(list1()->count(), 1);
    }

    void blanksAreNotEmptyInput()
    {
        f.field("Text1")->setText(QStringLiteral("  "));
        f.click("Command3");
        QVERIFY(f.prompts.messages.isEmpty());
        QCOMPARE(list1()->count(), 2);
    }

    void longTextIsNotCut()
    {
        const QString text(100000, QChar(u'中'));
        f.field("Text1")->setText(text);
        QCOMPARE(f.field("Text1")->text().size(), text.size());
        f.click("Command3");
        QCOMPARE(list1()->count(), 100000);
        QCOMPARE(list1()->lines().toStringList().last(),
                 QStringLiteral("序号:100000   原字符:中   10进制:214,208   16进制:D6 D0"));
    }

    void convertsTheExampleOfThePage()
    {
        const QString example = f.control<QLabel>("Label5")->text().section(u':', 1);
        QTest::keyClicks(f.field("Text2"), example.toLower());
        f.click("Command4");
        QCOMPARE(f.field("Text2")->text(), example);
        const QStringList lines = f.control<ResultList>("List2")->lines().toStringList();
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines.first(), QStringLiteral("序号:1  D6BB = 只"));
        QCOMPARE(lines.last(), QStringLiteral("序号:10  21 = !"));
    }

    void codesRunReplacesTheLastAndKeepsEveryToken()
    {
        f.field("Text2")->setText(QStringLiteral("D6BB B0AE"));
        f.click("Command4");
        QStringList tokens;
        for (int i = 0; i < 250; ++i)
            tokens.append(QStringLiteral("41"));
        f.field("Text2")->setText(tokens.join(u' '));
        f.click("Command4");
        const QStringList lines = f.control<ResultList>("List2")->lines().toStringList();
        QCOMPARE(lines.size(), 250);
        QCOMPARE(lines.first(), QStringLiteral("序号:1  41 = A"));
        QCOMPARE(lines.last(), QStringLiteral("序号:250  41 = A"));
    }

    void emptyCodesShowMessageAndKeepEverything()
    {
        f.field("Text2")->setText(QStringLiteral("d6bb"));
        f.click("Command4");
        f.field("Text2")->clear();
        f.click("Command4");
        QCOMPARE(f.prompts.messages.size(), 1);
        QCOMPARE(f.prompts.messages[0].title, QStringLiteral("错误!"));
        QCOMPARE(f.prompts.messages[0].text, QStringLiteral("请您先输入数据!"));
        QCOMPARE(f.control<ResultList>("List2")->lines().toStringList(),
                 QStringList{QStringLiteral("序号:1  D6BB = 只")});
        QVERIFY(f.field("Text2")->text().isEmpty());
    }

    void navigationKeepsEveryField()
    {
        const QList<QLineEdit *> fields = f.window->findChildren<QLineEdit *>();
        for (QLineEdit *field : fields)
            field->setText(field->objectName());
        f.click("Command3");
        f.control<QRadioButton>("Option3")->setChecked(true);

        f.window->findChild<QAction *>("mnu_changname")->trigger();
        QCOMPARE(tabs()->currentIndex(), 2);
        f.window->findChild<QAction *>("mnu_Unitohz")->trigger();
        QCOMPARE(tabs()->currentIndex(), 1);
        f.window->findChild<QAction *>("mnu_Unitohz")->trigger();
        QCOMPARE(tabs()->currentIndex(), 1);
        tabs()->setCurrentIndex(2);
        f.window->findChild<QAction *>("mnu_hztoUni")->trigger();
        QCOMPARE(tabs()->currentIndex(), 0);

        for (QLineEdit *field : fields)
            QCOMPARE(field->text(), field->objectName());
        QCOMPARE(list1()->count(), 5);
        QVERIFY(f.control<QRadioButton>("Option3")->isChecked());
    }

    void copiesSelectedLinesInListOrder()
    {
        f.field("Text1")->setText(QStringLiteral("ABC"));
        f.click("Command3");
        ResultList *list = list1();
        list->selectionModel()->select(list->model()->index(2, 0), QItemSelectionModel::Select);
        list->selectionModel()->select(list->model()->index(0, 0), QItemSelectionModel::Select);
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("序号:1   原字符:A    10进制:65   16进制:41\n"
                                "序号:3   原字符:C    10进制:67   16进制:43"));

        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text().count(u'\n'), 2);
    }

    void copiedCodesConvertBackOnPageOne()
    {
        QVERIFY(MainWindowFixture::showActive(f.window.get()));
        f.field("Text1")->setText(QStringLiteral("张xA\t三"));
        f.click("Command3");
        ResultList *list = list1();
        for (int row : {4, 0, 2, 3})
            list->selectionModel()->select(list->model()->index(row, 0),
                                           QItemSelectionModel::Select);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("D5C5 41 09 C8FD"));

        tabs()->setCurrentIndex(1);
        f.field("Text2")->setFocus();
        QTest::keyClick(f.field("Text2"), Qt::Key_V, Qt::ControlModifier);
        f.click("Command4");
        ResultList *list2 = f.control<ResultList>("List2");
        list2->selectAll();
        QAction *copyText = nullptr;
        for (QAction *action : list2->actions())
            copyText = action->text() == QStringLiteral("复制文字(&T)") ? action : copyText;
        QVERIFY(copyText);
        copyText->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("张A\t三"));
    }

    void returnConvertsItsField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("firstLine");
        QTest::newRow("Return in Text1 converts page 0")
            << "Text1"
            << "A"
            << "List1" << QStringLiteral("序号:1   原字符:A    10进制:65   16进制:41");
        QTest::newRow("Return in Text2 converts page 1")
            << "Text2"
            << "41"
            << "List2" << QStringLiteral("序号:1  41 = A");
    }
    void returnConvertsItsField()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, list);
        QFETCH(QString, firstLine);
        QTest::keyClicks(f.field(qPrintable(field)), typed);
        QTest::keyClick(f.field(qPrintable(field)), Qt::Key_Return);
        QCOMPARE(f.control<ResultList>(qPrintable(list))->lines().toStringList().value(0),
                 firstLine);
        QVERIFY(f.prompts.messages.isEmpty());
    }

    void endsAtOnce_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Ctrl+Q chooses 退出") << int(Qt::Key_Q) << int(Qt::ControlModifier);
        QTest::newRow("Alt+Q presses 退出(&Q)") << int(Qt::Key_Q) << int(Qt::AltModifier);
        QTest::newRow("Space on the first focus") << int(Qt::Key_Space) << int(Qt::NoModifier);
    }
    void endsAtOnce()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QVERIFY(MainWindowFixture::showActive(f.window.get()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                        Qt::KeyboardModifiers(modifiers));
        QTRY_VERIFY(!f.window->isVisible());
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmmain.moc"

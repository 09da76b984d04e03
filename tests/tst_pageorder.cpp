// SPDX-License-Identifier: MIT
#include "support/mainwindowfixture.h"

#include <QAction>
#include <QDir>
#include <QMimeData>
#include <QTabWidget>
#include <QUrl>

// The window finds its pages by widget, not by their place in the tab
// control: with a page put in front of the others, the menu items, the
// save-file drop and F2 still belong to the same pages.
class tst_PageOrder : public QObject {
    Q_OBJECT

    MainWindowFixture f;

    QTabWidget *tabs() const { return f.control<QTabWidget>("SSTab1"); }
    void show(const QString &page)
    {
        tabs()->setCurrentWidget(page.isEmpty() ? tabs()->widget(0) : f.control(qPrintable(page)));
    }
    QAction *nameAsText() const
    {
        for (QAction *action : f.window->findChildren<QAction *>()) {
            if (action->shortcut() == QKeySequence(Qt::Key_F2))
                return action;
        }
        qFatal("no F2 action");
    }

private slots:
    void init()
    {
        f.open();
        tabs()->insertTab(0, new QWidget, QStringLiteral("新页"));
    }
    void cleanup()
    {
        QCOMPARE(f.prompts.unscripted, 0);
        f.close();
        QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void menuItemShowsItsPage_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("page");
        QTest::newRow("字符 to Unicode") << "mnu_hztoUni"
                                         << "charsToCodesPage";
        QTest::newRow("Unicode to 字符") << "mnu_Unitohz"
                                         << "codesToCharsPage";
        QTest::newRow("自定义武将名字修改") << "mnu_changname"
                                            << "saveFilePage";
    }
    void menuItemShowsItsPage()
    {
        QFETCH(QString, item);
        QFETCH(QString, page);
        show(QString());
        f.window->findChild<QAction *>(item)->trigger();
        QCOMPARE(tabs()->currentWidget()->objectName(), page);
    }

    void saveFileFeaturesStayOnTheirPage_data()
    {
        QTest::addColumn<QString>("page"); // "": the page put in front
        QTest::addColumn<bool>("active");
        QTest::newRow("the page in front") << QString() << false;
        QTest::newRow("the character page") << "charsToCodesPage" << false;
        QTest::newRow("the code page") << "codesToCharsPage" << false;
        QTest::newRow("the save-file page") << "saveFilePage" << true;
    }
    void saveFileFeaturesStayOnTheirPage()
    {
        QFETCH(QString, page);
        QFETCH(bool, active);
        show(page);
        QCOMPARE(nameAsText()->isEnabled(), active);

        // Only entered, never dropped: nothing is read or created.
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(QDir::tempPath() + "/ShinSangokumusou3.dat")});
        const QPoint at = f.window->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(f.window.get(), &enter);
        QCOMPARE(enter.isAccepted(), active);
    }
};

QTEST_MAIN(tst_PageOrder)
#include "tst_pageorder.moc"

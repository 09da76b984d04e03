// SPDX-License-Identifier: MIT
#include "app/fontsubstitutes.h"
#include "app/resultlist.h"
#include "support/accessibility.h"
#include "support/mainwindowfixture.h"

#include <QAction>
#include <QCloseEvent>
#include <QFontInfo>
#include <QLabel>
#include <QTimer>
#include <QWindow>

#include <map>

class tst_frmAbout : public QObject {
    Q_OBJECT

    MainWindowFixture f;

    // Every about window there is, open or closed.
    static QList<QWidget *> aboutWindows()
    {
        QList<QWidget *> found;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->objectName() == QLatin1String("frmAbout"))
                found.append(window);
        }
        return found;
    }

    static QWidget *openAbout()
    {
        const QList<QWidget *> windows = aboutWindows();
        if (windows.size() != 1 || !windows[0]->isVisible())
            return nullptr;
        return windows[0];
    }

    template <typename T = QWidget>
    static T *aboutControl(const char *name)
    {
        T *found = aboutWindows().value(0)->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no about control %s", name);
        return found;
    }

    // How the main window asks for the about window; the keyboard needs
    // the main window active.
    void request(const QString &how)
    {
        if (how == QLatin1String("button"))
            f.click("Command2");
        else if (how == QLatin1String("menu"))
            f.window->findChild<QAction *>("mnu_about")->trigger();
        else if (how == QLatin1String("Ctrl+D"))
            QTest::keyClick(f.window.get(), Qt::Key_D, Qt::ControlModifier);
        else
            qFatal("unknown request %s", qPrintable(how));
    }

    // The title bar's close box, as the window system delivers it.
    static void closeBox(QWidget *window)
    {
        QCloseEvent event;
        QCoreApplication::sendEvent(window->windowHandle(), &event);
    }

    static std::map<QString, QString> labelTexts(QWidget *window)
    {
        std::map<QString, QString> texts;
        for (QLabel *label : window->findChildren<QLabel *>())
            texts[label->objectName()] = label->text();
        return texts;
    }

    static QStringList focusTakers(QWidget *window)
    {
        QStringList names;
        for (QWidget *control : window->findChildren<QWidget *>()) {
            if (control->focusPolicy() != Qt::NoFocus)
                names.append(control->objectName());
        }
        return names;
    }

private slots:
    void initTestCase() { installFontSubstitutes(); }
    void init()
    {
        f.open();
        QVERIFY(MainWindowFixture::showActive(f.window.get()));
    }
    void cleanup()
    {
        QCOMPARE(f.prompts.unscripted, 0);
        f.close();
        QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void secondRequestBringsTheOneWindowToFront_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::newRow("关于(&A) twice") << "button"
                                        << "button";
        QTest::newRow("关于程序, then Ctrl+D") << "menu"
                                               << "Ctrl+D";
        QTest::newRow("Ctrl+D, then 关于(&A)") << "Ctrl+D"
                                               << "button";
    }
    void secondRequestBringsTheOneWindowToFront()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        request(first);
        QWidget *about = openAbout();
        QVERIFY(about);
        QVERIFY(!about->parentWidget());
        QVERIFY(QTest::qWaitForWindowActive(about));

        QVERIFY(MainWindowFixture::showActive(f.window.get()));
        request(second);
        QCOMPARE(openAbout(), about);
        QVERIFY(QTest::qWaitForWindowActive(about));
        QVERIFY(f.window->isVisible());
    }

    void closedWindowLoadsAfresh_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("确定 clicked") << "click";
        QTest::newRow("Space on 确定") << "space";
        QTest::newRow("close box") << "close box";
    }
    void closedWindowLoadsAfresh()
    {
        QFETCH(QString, how);
        request(QStringLiteral("button"));
        QWidget *about = openAbout();
        QVERIFY(about);
        QVERIFY(QTest::qWaitForWindowActive(about));
        QCOMPARE(QApplication::focusWidget(), aboutControl("Command1"));
        const auto texts = labelTexts(about);
        const QStringList takers = focusTakers(about);
        // An edit to the loaded controls must not survive the reload.
        aboutControl<QLabel>("Label2")->setText(QStringLiteral("edited"));

        if (how == QLatin1String("click"))
            QTest::mouseClick(aboutControl("Command1"), Qt::LeftButton);
        else if (how == QLatin1String("space"))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        else
            closeBox(about);
        QVERIFY(!about->isVisible());
        QTRY_VERIFY(about->findChildren<QWidget *>().isEmpty());
        QVERIFY(f.window->isVisible());

        request(QStringLiteral("menu"));
        QCOMPARE(openAbout(), about);
        QVERIFY(QTest::qWaitForWindowActive(about));
        QCOMPARE(QApplication::focusWidget(), aboutControl("Command1"));
        QCOMPARE(labelTexts(about), texts);
        QCOMPARE(focusTakers(about), takers);
        QCOMPARE(takers, QStringList{QStringLiteral("Command1")});
        QCOMPARE(about->size(), QSize(339, 209));
        QCOMPARE(about->minimumSize(), about->maximumSize());
    }

    void reopenedAtOnceShowsOneSetOfControls()
    {
        request(QStringLiteral("button"));
        QWidget *about = openAbout();
        QVERIFY(about);
        const qsizetype controls = about->findChildren<QWidget *>().size();
        QTest::mouseClick(aboutControl("Command1"), Qt::LeftButton);
        request(QStringLiteral("button"));
        QCOMPARE(about->findChildren<QWidget *>().size(), controls);
        QVERIFY(QTest::qWaitForWindowActive(about));
        QCOMPARE(QApplication::focusWidget(), aboutControl("Command1"));
    }

    void mainWindowStaysUsable()
    {
        request(QStringLiteral("button"));
        QWidget *about = openAbout();
        QVERIFY(about);
        QVERIFY(QTest::qWaitForWindowActive(about));

        QVERIFY(MainWindowFixture::showActive(f.window.get()));
        QTest::mouseClick(f.field("Text1"), Qt::LeftButton);
        QTest::keyClicks(f.field("Text1"), "A");
        MainWindowFixture::commitText(f.field("Text1"), QStringLiteral("中"));
        f.click("Command3");
        QCOMPARE(f.control<ResultList>("List1")->count(), 2);
        QCOMPARE(f.field("Text1")->text(), QStringLiteral("A中"));
        QVERIFY(about->isVisible());
    }

    void endingClosesBothWindows_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("退出(&Q) clicked") << "button";
        QTest::newRow("Ctrl+Q") << "shortcut";
        QTest::newRow("退出 in the menu") << "menu";
    }
    void endingClosesBothWindows()
    {
        QFETCH(QString, how);
        request(QStringLiteral("button"));
        QWidget *about = openAbout();
        QVERIFY(about);
        QVERIFY(MainWindowFixture::showActive(f.window.get()));

        if (how == QLatin1String("button"))
            f.click("Command1");
        else if (how == QLatin1String("shortcut"))
            QTest::keyClick(f.window.get(), Qt::Key_Q, Qt::ControlModifier);
        else
            f.window->findChild<QAction *>("mnu_exit")->trigger();
        QTRY_VERIFY(!about->isVisible());
        QVERIFY(!f.window->isVisible());
    }

    // Run in a real event loop: the program ends when its loop returns.
    void programRunsUntilTheLastWindowCloses()
    {
        request(QStringLiteral("button"));
        QWidget *about = openAbout();
        QVERIFY(about);

        bool runningAfterMainClosed = false;
        QTimer closeMain, closeAbout, giveUp;
        for (QTimer *timer : {&closeMain, &closeAbout, &giveUp})
            timer->setSingleShot(true);
        connect(&closeMain, &QTimer::timeout, this, [&] { closeBox(f.window.get()); });
        connect(&closeAbout, &QTimer::timeout, this, [&] {
            runningAfterMainClosed = !f.window->isVisible() && about->isVisible();
            closeBox(about);
        });
        connect(&giveUp, &QTimer::timeout, this, [] { QCoreApplication::exit(1); });
        closeMain.start(0);
        closeAbout.start(200);
        giveUp.start(5000);

        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(runningAfterMainClosed);
        QVERIFY(!about->isVisible());
    }

    void windowsShowTheirPictures_data()
    {
        QTest::addColumn<bool>("inAbout");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("program icon beside the title") << false << "Image1" << QSize(32, 32);
        QTest::newRow("upper about picture") << true << "Image1" << QSize(95, 95);
        QTest::newRow("lower about picture") << true << "Image2" << QSize(95, 95);
    }
    void windowsShowTheirPictures()
    {
        QFETCH(bool, inAbout);
        QFETCH(QString, name);
        QFETCH(QSize, size);
        request(QStringLiteral("button"));
        QLabel *picture =
            inAbout ? aboutControl<QLabel>(qPrintable(name)) : f.control<QLabel>(qPrintable(name));
        QVERIFY(!picture->pixmap().isNull());
        QCOMPARE(picture->pixmap().size(), size);
        QCOMPARE(picture->size(), size);
    }

    void bothWindowsCarryTheIconAtEverySize()
    {
        request(QStringLiteral("button"));
        const QList<QSize> sizes{{16, 16}, {24, 24}, {32, 32}, {48, 48}};
        QCOMPARE(f.window->windowIcon().availableSizes(), sizes);
        QCOMPARE(openAbout()->windowIcon().availableSizes(), sizes);
    }

    void textsFitTheirPlaces_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"})
            QTest::newRow(name) << name;
    }
    void textsFitTheirPlaces()
    {
        QFETCH(QString, name);
        request(QStringLiteral("button"));
        QLabel *label = aboutControl<QLabel>(qPrintable(name));
        QVERIFY2(label->sizeHint().width() <= label->width(),
                 qPrintable(QStringLiteral("%1 needs %2 px")
                                .arg(label->text())
                                .arg(label->sizeHint().width())));
    }

    void titleIsInTheKaiFace()
    {
        request(QStringLiteral("button"));
        const QFontInfo title(aboutControl<QLabel>("Label1")->font());
        QVERIFY2(QStringList({QStringLiteral("楷体_GB2312"), QStringLiteral("AR PL UKai CN")})
                     .contains(title.family()),
                 qPrintable(title.family()));
        QCOMPARE(title.pointSize(), 18);
    }

    void everyControlHasAName()
    {
        request(QStringLiteral("button"));
        QWidget *about = openAbout();
        QVERIFY(about);
        const QStringList unnamed = unnamedControls(about);
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u' ')));
    }

    void editionIsRed()
    {
        request(QStringLiteral("button"));
        const QImage shown = aboutControl("Label6")->grab().toImage();
        bool red = false;
        for (int y = 0; y < shown.height() && !red; ++y) {
            for (int x = 0; x < shown.width() && !red; ++x) {
                const QColor pixel = shown.pixelColor(x, y);
                red = pixel.red() > 200 && pixel.green() < 80 && pixel.blue() < 80;
            }
        }
        QVERIFY(red);
    }
};

QTEST_MAIN(tst_frmAbout)
#include "tst_frmabout.moc"

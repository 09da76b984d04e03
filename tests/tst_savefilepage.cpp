// SPDX-License-Identifier: MIT
#include "app/resultlist.h"
#include "support/files.h"
#include "support/pathreasons.h"
#include "support/savefilepagefixture.h"

#include <QDir>
#include <QLabel>
#include <QMimeData>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QUrl>

class tst_SaveFilePage : public QObject {
    Q_OBJECT

    SaveFilePageFixture f;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_saveFile;

    void setNames(const QStringList &texts)
    {
        for (int i = 0; i < 4; ++i)
            f.field(qPrintable(QStringLiteral("Text%1").arg(4 + i)))->setText(texts[i]);
    }

private slots:
    void init()
    {
        f.open();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("存盘 文件")));
        // As the page shows it: with backslashes on Windows.
        m_saveFile = QDir::toNativeSeparators(m_dir->path()
                                              + QStringLiteral("/存盘 文件/ShinSangokumusou3.dat"));
        QVERIFY(create(m_saveFile, f.gameFile()));
    }
    void cleanup()
    {
        QCOMPARE(f.prompts.unscripted, 0);
        f.close();
        m_dir.reset();
        QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void choosingShowsSlotOneAndWritingGoesToTheSelectedSlot()
    {
        f.clickOption(3);
        QCOMPARE(f.names(), QStringList(4));

        f.choose(m_saveFile);
        QCOMPARE(f.prompts.openRequests.size(), 1);
        QCOMPARE(f.prompts.openRequests[0].filter,
                 QStringLiteral("ShinSangokumusou3.dat|ShinSangokumusou3.dat"));
        QCOMPARE(f.field("Text3")->text(), m_saveFile);
        QCOMPARE(f.names(), (QStringList{"张", "三", "", ""}));
        QVERIFY(f.option(3)->isChecked());

        f.typeBoxes({"4142", "", "", ""});
        f.click("Command8");
        QByteArray expected = f.gameFile();
        expected.replace(1852, 8, QByteArray::fromHex("4142000000000000"));
        QCOMPARE(contents(m_saveFile), expected);
        QCOMPARE(f.prompts.messages.size(), 1);
        QCOMPARE(f.prompts.messages[0].title, QStringLiteral("提示"));
        QCOMPARE(f.prompts.messages[0].text, QStringLiteral("文件修改成功!"));
        QCOMPARE(f.names(), (QStringList{"张", "三", "", ""}));
    }

    void cancelKeepsThePathAndANewChoiceReplacesIt()
    {
        f.choose(m_saveFile);
        f.choose(QString());
        QCOMPARE(f.field("Text3")->text(), m_saveFile);
        QCOMPARE(f.names(), (QStringList{"张", "三", "", ""}));

        const QString other =
            QDir::toNativeSeparators(m_dir->path() + QStringLiteral("/存盘 文件/other.dat"));
        QByteArray otherBytes(2048, '\0');
        otherBytes.replace(1724, 2, "AB");
        QVERIFY(create(other, otherBytes));
        f.choose(other);
        QCOMPARE(f.field("Text3")->text(), other);
        QCOMPARE(f.names(), (QStringList{"AB", "", "", ""}));
        QVERIFY(f.prompts.messages.isEmpty());
    }

    void optionWithoutAFileOnlySelects()
    {
        setNames({"甲", "乙", "丙", "丁"});
        f.clickOption(2);
        QVERIFY(f.option(2)->isChecked());
        QCOMPARE(f.names(), (QStringList{"甲", "乙", "丙", "丁"}));
        QVERIFY(f.prompts.messages.isEmpty());
    }

    void writesTheBoxesIntoTheSelectedSlot_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("a full name into slot 1") << 1 << QStringList{"D6BB", "b0ae", "41", "4142"}
                                                 << 1724 << QByteArray::fromHex("D6BBB0AE41004142");
        QTest::newRow("blanks in the first box write zeros")
            << 2 << QStringList{"  ", "C8FD", "", ""} << 1788
            << QByteArray::fromHex("0000C8FD00000000");
    }
    void writesTheBoxesIntoTheSelectedSlot()
    {
        QFETCH(int, slot);
        QFETCH(QStringList, boxes);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        f.choose(m_saveFile);
        f.clickOption(slot);
        f.typeBoxes(boxes);
        f.click("Command8");
        QByteArray expected = f.gameFile();
        expected.replace(offset, 8, bytes);
        QCOMPARE(contents(m_saveFile), expected);
        QCOMPARE(f.prompts.messages.size(), 1);
        QCOMPARE(f.prompts.messages[0].text, QStringLiteral("文件修改成功!"));
    }

    // Text8 holds "41" (A) so that the box under test, Text9, can be empty.
    void previewIsWhatTheWriteWrites_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("preview");
        QTest::addColumn<QByteArray>("slot"); // empty: nothing is written
        QTest::addColumn<bool>("flagged");
        const QString fffd(QChar::ReplacementCharacter);
        QTest::newRow("four digits") << "41"
                                     << "D5C5"
                                     << "将写入自定义武将1: 4100 D5C5 0000 0000 = A张"
                                     << QByteArray::fromHex("4100D5C500000000") << false;
        QTest::newRow("lower-case digits") << "41"
                                           << "d5c5"
                                           << "将写入自定义武将1: 4100 D5C5 0000 0000 = A张"
                                           << QByteArray::fromHex("4100D5C500000000") << false;
        QTest::newRow("two digits") << "41"
                                    << "41"
                                    << "将写入自定义武将1: 4100 4100 0000 0000 = AA"
                                    << QByteArray::fromHex("4100410000000000") << false;
        QTest::newRow("an empty box") << "41"
                                      << ""
                                      << "将写入自定义武将1: 4100 0000 0000 0000 = A"
                                      << QByteArray::fromHex("4100000000000000") << false;
        QTest::newRow("three digits")
            << "41"
            << "D5C"
            << "将写入自定义武将1: 4100 D50C 0000 0000 = A" + fffd + "\x0C"
            << QByteArray::fromHex("4100D50C00000000") << false;
        QTest::newRow("digits after the fourth") << "41"
                                                 << "D5C5C8FD"
                                                 << "将写入自定义武将1: 4100 D5C5 0000 0000 = A张"
                                                 << QByteArray::fromHex("4100D5C500000000") << true;
        QTest::newRow("a blank between the bytes")
            << "41"
            << "D5 C5"
            << "将写入自定义武将1: 4100 D500 0000 0000 = A" + fffd
            << QByteArray::fromHex("4100D50000000000") << true;
        QTest::newRow("an empty first box") << ""
                                            << "D5C5"
                                            << "第一格为空，不会写入。" << QByteArray() << false;
    }
    void previewIsWhatTheWriteWrites()
    {
        QFETCH(QString, first);
        QFETCH(QString, box);
        QFETCH(QString, preview);
        QFETCH(QByteArray, slot);
        QFETCH(bool, flagged);
        f.choose(m_saveFile);
        f.typeBoxes({first, box, "", ""});
        QCOMPARE(f.control<QLabel>("LabelPreview")->text(), preview);
        QLineEdit *const text9 = f.field("Text9");
        QCOMPARE(text9->palette().color(QPalette::Text) == QColor(0xFF, 0x00, 0x00), flagged);
        QCOMPARE(text9->toolTip().isEmpty(), !flagged);
        QCOMPARE(text9->text(), box);

        f.click("Command8");
        QByteArray expected = f.gameFile();
        if (!slot.isEmpty())
            expected.replace(1724, 8, slot);
        QCOMPARE(contents(m_saveFile), expected);
        QCOMPARE(f.prompts.messages.size(), slot.isEmpty() ? 0 : 1);
    }

    void nameBoxesShowTheirCellBytesAfterARead()
    {
        QVERIFY(f.field("Text4")->toolTip().isEmpty());
        f.choose(m_saveFile);
        f.clickOption(3);
        QCOMPARE(f.names(), (QStringList{"爱", "", "", ""}));
        QStringList bytes;
        for (int i = 4; i <= 7; ++i)
            bytes << f.field(qPrintable(QStringLiteral("Text%1").arg(i)))->toolTip();
        QCOMPARE(bytes, (QStringList{"B0 AE", "00 00", "00 00", "00 00"}));
    }

    void writingNeedsAFileAndAFirstBox_data()
    {
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<QStringList>("boxes");
        QTest::newRow("no file chosen") << false << QStringList{"D5C5", "C8FD", "", ""};
        QTest::newRow("first box empty") << true << QStringList{"", "C8FD", "41", "42"};
    }
    void writingNeedsAFileAndAFirstBox()
    {
        QFETCH(bool, chosen);
        QFETCH(QStringList, boxes);
        if (chosen)
            f.choose(m_saveFile);
        f.typeBoxes(boxes);
        f.click("Command8");
        QCOMPARE(contents(m_saveFile), f.gameFile());
        QVERIFY(f.prompts.messages.isEmpty());
    }

    // A failed read empties the name boxes, so that they never show names
    // from another file than the one Text3 names; a failed write leaves
    // them as the last read left them.
    void failuresShowTheErrorAndChangeNothing_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("place");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("namesAfter");
        const QString folderText =
            QStringLiteral("“%1”不是普通文件（而是文件夹、管道、设备或套接字），不能用作存盘文件。")
            + folderReason();
        const QString missingText =
            QStringLiteral("无法打开存盘文件“%1”。") + missingFolderReason();
        const QStringList emptied(4);
        const QStringList kept{"张", "三", "", ""};
        QTest::newRow("choosing a folder") << "choose"
                                           << "folder" << folderText << emptied;
        QTest::newRow("choosing in a missing folder") << "choose"
                                                      << "missing folder" << missingText << emptied;
        QTest::newRow("reading a folder by option") << "option"
                                                    << "folder" << folderText << emptied;
        QTest::newRow("writing to a folder") << "write"
                                             << "folder" << folderText << kept;
        QTest::newRow("writing in a missing folder") << "write"
                                                     << "missing folder" << missingText << kept;
    }
    void failuresShowTheErrorAndChangeNothing()
    {
        QFETCH(QString, action);
        QFETCH(QString, place);
        QFETCH(QString, text);
        QFETCH(QStringList, namesAfter);
        const QString path = QDir::toNativeSeparators(
            place == "folder" ? m_dir->path() + QStringLiteral("/存盘 文件")
                              : m_dir->path() + QStringLiteral("/不存在/ShinSangokumusou3.dat"));
        f.choose(m_saveFile);
        f.typeBoxes({"D5C5", "", "", ""});
        if (action == "choose") {
            f.choose(path);
            QCOMPARE(f.field("Text3")->text(), path);
        } else {
            f.field("Text3")->setText(path);
            if (action == "option")
                f.clickOption(2);
            else
                f.click("Command8");
        }
        QCOMPARE(f.prompts.messages.size(), 1);
        QCOMPARE(f.prompts.messages[0].title, QStringLiteral("错误!"));
        QCOMPARE(f.prompts.messages[0].text, text.arg(path));
        QCOMPARE(f.names(), namesAfter);
        QCOMPARE(f.field("Text4")->toolTip().isEmpty(), namesAfter[0].isEmpty());
        QCOMPARE(contents(m_saveFile), f.gameFile());
        QVERIFY(!QFileInfo::exists(m_dir->path() + QStringLiteral("/不存在")));
    }

    void droppedFileIsReadLikeAChosenOne_data()
    {
        QTest::addColumn<QStringList>("files"); // under the temporary folder
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("read");
        const QString save = QStringLiteral("存盘 文件/ShinSangokumusou3.dat");
        QTest::newRow("one file onto the window") << QStringList{save} << 2 << "frmMain" << true;
        QTest::newRow("one file onto a hexadecimal box")
            << QStringList{save} << 2 << "Text8" << true;
        QTest::newRow("one file onto the path box") << QStringList{save} << 2 << "Text3" << true;
        QTest::newRow("two files") << QStringList{save, save} << 2 << "frmMain" << false;
        QTest::newRow("two files onto a hexadecimal box")
            << QStringList{save, save} << 2 << "Text8" << false;
        QTest::newRow("a folder") << QStringList{QStringLiteral("存盘 文件")} << 2 << "frmMain"
                                  << false;
        QTest::newRow("one file while page 0 is shown")
            << QStringList{save} << 0 << "frmMain" << false;
        QTest::newRow("one file while page 1 is shown")
            << QStringList{save} << 1 << "frmMain" << false;
    }
    void droppedFileIsReadLikeAChosenOne()
    {
        QFETCH(QStringList, files);
        QFETCH(int, page);
        QFETCH(QString, target);
        QFETCH(bool, read);
        f.control<QTabWidget>("SSTab1")->setCurrentIndex(page);
        QList<QUrl> urls;
        for (const QString &file : files)
            urls << QUrl::fromLocalFile(m_dir->path() + u'/' + file);
        QMimeData mime;
        mime.setUrls(urls);
        mime.setText(urls[0].toString()); // file managers offer the URL as text too
        QWidget *to = target == "frmMain" ? f.window.get() : f.control(qPrintable(target));
        const QPoint at = to->rect().center();
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, actions, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(to, &enter);
        QCOMPARE(enter.isAccepted(), read);
        QDropEvent drop(at, actions, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(to, &drop);
        QCOMPARE(drop.isAccepted(), read);
        if (read) {
            QCOMPARE(drop.dropAction(), Qt::CopyAction);
            QTRY_COMPARE(f.field("Text3")->text(), m_saveFile);
            QCOMPARE(f.names(), (QStringList{"张", "三", "", ""}));
        } else {
            QCoreApplication::processEvents();
            QVERIFY(f.field("Text3")->text().isEmpty());
            QCOMPARE(f.names(), QStringList(4));
        }
        QVERIFY(f.field("Text8")->text().isEmpty());
        QVERIFY(f.prompts.messages.isEmpty());
        QCOMPARE(contents(m_saveFile), f.gameFile());
    }

    void typicalUseFromPageZero()
    {
        MainWindowFixture::commitText(f.field("Text1"), QStringLiteral("张三"));
        f.click("Command3");
        QStringList hex;
        for (const QString &line : f.control<ResultList>("List1")->lines().toStringList())
            hex << line.section(QStringLiteral("16进制:"), 1).remove(u' ');
        QCOMPARE(hex, (QStringList{"D5C5", "C8FD"}));

        f.choose(m_saveFile);
        f.clickOption(2);
        QTest::keyClicks(f.field("Text8"), hex[0]);
        QTest::keyClicks(f.field("Text9"), hex[1]);
        f.click("Command8");
        QCOMPARE(contents(m_saveFile).mid(1788, 8), QByteArray::fromHex("D5C5C8FD00000000"));
        QCOMPARE(f.prompts.messages.size(), 1);
        QCOMPARE(f.prompts.messages[0].text, QStringLiteral("文件修改成功!"));

        f.clickOption(2);
        QCOMPARE(f.names(), (QStringList{"张", "三", "", ""}));
    }
};

QTEST_MAIN(tst_SaveFilePage)
#include "tst_savefilepage.moc"

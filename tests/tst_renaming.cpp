// SPDX-License-Identifier: MIT
#include "app/textprompt.h"
#include "support/files.h"
#include "support/savefilepagefixture.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <optional>

// Renaming on page 2: a name typed as text, a code line pasted across the
// boxes, taking writes back, the preview line.
class tst_Renaming : public QObject {
    Q_OBJECT

    SaveFilePageFixture f;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_saveFile;

    QString preview() const { return f.control<QLabel>("LabelPreview")->text(); }
    // F2 with the focus in Text8, answered with `name`.
    void typeName(const QString &name)
    {
        f.prompts.textAnswers.enqueue(name);
        QTest::keyClick(f.box(0), Qt::Key_F2);
    }
    void writeWithTheButton()
    {
        f.click("Command8");
        f.control("Command8")->setFocus(); // a click focuses it on every platform but macOS
    }
    // Ctrl+Z outside the boxes; a take-back asks first, answered with
    // `answer`, unless nothing is left to undo.
    void takeBack(std::optional<bool> answer = true)
    {
        if (answer)
            f.prompts.questionAnswers.enqueue(*answer);
        QTest::keyClick(f.control("Command8"), Qt::Key_Z, Qt::ControlModifier);
    }

private slots:
    void init()
    {
        f.open();
        QVERIFY(MainWindowFixture::showActive(f.window.get()));
        f.control<QTabWidget>("SSTab1")->setCurrentIndex(2);
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_saveFile = QDir::toNativeSeparators(m_dir->path() + "/ShinSangokumusou3.dat");
        QVERIFY(create(m_saveFile, f.gameFile()));
    }
    void cleanup()
    {
        QCOMPARE(f.prompts.unscripted, 0);
        f.close();
        m_dir.reset();
    }

    void typedNameWritesWhatTypedCodesWrite_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("codes");
        QTest::addColumn<QByteArray>("slot");
        QTest::newRow("two characters") << "张三" << QStringList{"D5C5", "C8FD", "", ""}
                                        << QByteArray::fromHex("D5C5C8FD00000000");
        QTest::newRow("a character across two cells") << "A张" << QStringList{"41D5", "C5", "", ""}
                                                      << QByteArray::fromHex("41D5C50000000000");
    }
    void typedNameWritesWhatTypedCodesWrite()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, codes);
        QFETCH(QByteArray, slot);
        f.choose(m_saveFile);
        f.clickOption(2);
        typeName(name);
        QCOMPARE(f.prompts.textRequests.size(), 1);
        QCOMPARE(f.prompts.textRequests[0].text,
                 QStringLiteral("自定义武将2的新名字（最多4个汉字或8个字母）:"));
        QCOMPARE(f.boxes(), codes);
        QVERIFY2(preview().endsWith(" = " + name), qPrintable(preview()));
        writeWithTheButton();
        const QByteArray byName = contents(m_saveFile);
        QCOMPARE(byName.mid(1788, 8), slot);

        QVERIFY(create(m_saveFile, f.gameFile()));
        f.typeBoxes(QStringList(4));
        for (int cell = 0; cell < 4; ++cell)
            QTest::keyClicks(f.box(cell), codes[cell]);
        writeWithTheButton();
        QCOMPARE(contents(m_saveFile), byName);
    }

    void refusedNameLeavesTheBoxes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("nine bytes")
            << "只爱撒娇A"
            << "名字“只爱撒娇A”在代码页 936 中占 9 个字节，而一个名字最多 8 个字节（4个汉字或8个字母）。名字没有填入。";
        QTest::newRow("a character the code page lacks")
            << "Weiß"
            << "名字“Weiß”中的“ß”不在代码页 936 中，游戏无法显示它。名字没有填入。";
        QTest::newRow("a huge name is quoted in part")
            << QString(200000, u'张')
            << "名字“" + QString(32, u'张')
                   + "…”在代码页 936 中占 400000 个字节，而一个名字最多 8 个字节（4个汉字或8个字母）。名字没有填入。";
        QTest::newRow("an invisible character the code page lacks is named by its code")
            << QStringLiteral("张\u200B三")
            << "名字“张<U+200B>三”中的“U+200B”不在代码页 936 中，游戏无法显示它。名字没有填入。";
    }
    void refusedNameLeavesTheBoxes()
    {
        QFETCH(QString, name);
        QFETCH(QString, message);
        const QStringList before{"41", "d5c5", "", "x"};
        f.typeBoxes(before);
        typeName(name);
        QCOMPARE(f.boxes(), before);
        QCOMPARE(f.prompts.messages.size(), 1);
        QCOMPARE(f.prompts.messages[0].title, QStringLiteral("错误!"));
        QCOMPARE(f.prompts.messages[0].text, message);
    }

    void pastedCodeLineGoesOnePerBox_data()
    {
        QTest::addColumn<int>("cell");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("after"); // empty: refused
        QTest::addColumn<QString>("message");
        QTest::newRow("two codes, the boxes after them emptied")
            << 0 << "D5C5 C8FD" << QStringList{"D5C5", "C8FD", "", ""} << QString();
        QTest::newRow("four codes, a line break after them")
            << 0 << "D6BB B0AE C8F6 41\n"
            << QStringList{"D6BB", "B0AE", "C8F6", "41"} << QString();
        QTest::newRow("nine bytes")
            << 0 << "D6BB B0AE C8F6 BDBF 41" << QStringList()
            << "粘贴的代码共 9 个字节，从第 1 格起只有 4 格，最多 8 个字节，放不下。没有粘贴。";
        QTest::newRow("one-byte codes two to a box, from the box pasted into")
            << 1 << "41 42 43" << QStringList{"11", "4142", "43", ""} << QString();
        QTest::newRow("a token that is no code")
            << 0 << "0xD5C5 0xC8FD" << QStringList()
            << "粘贴的内容中的“0xD5C5”不是代码：一个代码是 1 到 4 位16进制数字（0-9、A-F）。没有粘贴。";
        QTest::newRow("one code is pasted where the cursor is")
            << 1 << "C8FD" << QStringList{"11", "22C8FD", "33", "44"} << QString();
        QTest::newRow("one code is trimmed")
            << 1 << " C8FD\n"
            << QStringList{"11", "22C8FD", "33", "44"} << QString();
    }
    void pastedCodeLineGoesOnePerBox()
    {
        QFETCH(int, cell);
        QFETCH(QString, line);
        QFETCH(QStringList, after);
        QFETCH(QString, message);
        const QStringList before{"11", "22", "33", "44"};
        f.typeBoxes(before);
        QGuiApplication::clipboard()->setText(line);
        QTest::keySequence(f.box(cell), QKeySequence::Paste);
        QCOMPARE(f.boxes(), after.isEmpty() ? before : after);
        QCOMPARE(f.prompts.messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QCOMPARE(f.prompts.messages[0].text, message);
    }

    // A dropped text goes where a paste goes, and is copied, not moved.
    void droppedCodeLineIsPastedAsACopy()
    {
        f.typeBoxes({"11", "22", "33", "44"});
        QMimeData data;
        data.setText(QStringLiteral(" 41 42 43"));
        const QPointF at(4, f.box(1)->height() / 2);
        QDragEnterEvent enter(at.toPoint(), Qt::MoveAction | Qt::CopyAction, &data, Qt::LeftButton,
                              {});
        QCoreApplication::sendEvent(f.box(1), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(at, Qt::MoveAction | Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(f.box(1), &drop);
        QCOMPARE(drop.dropAction(), Qt::CopyAction);
        QCOMPARE(f.boxes(), (QStringList{"11", "4142", "43", ""}));
    }

    // The box's menu: its own paste item spreads a code line too, and the
    // page's items follow.
    void contextMenuPastesAndOffersThePageItems()
    {
        QGuiApplication::clipboard()->setText(QStringLiteral("D5C5 C8FD"));
        QStringList items;
        QTimer::singleShot(0, [&] {
            QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
            auto *menu = static_cast<QMenu *>(QApplication::activePopupWidget());
            QAction *paste = nullptr;
            for (QAction *action : menu->actions()) {
                items << action->text();
                if (action->text().startsWith(QStringLiteral("粘贴")))
                    paste = action;
            }
            menu->close();
            if (paste)
                paste->trigger();
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(4, 4),
                                f.box(1)->mapToGlobal(QPoint(4, 4)));
        QCoreApplication::sendEvent(f.box(1), &event);
        QCOMPARE(f.boxes(), (QStringList{"", "D5C5", "C8FD", ""}));
        QCOMPARE(items.mid(items.size() - 2),
                 (QStringList{"按文字填写(&N)…", "撤销上次写入存盘文件(&U)…"}));
        QVERIFY2(items.contains(QStringLiteral("撤销(&U)\tCtrl+Z")), qPrintable(items.join('|')));
    }

    // Newest first; Ctrl+Z inside a box stays the box's own undo.
    void writesTakenBackGiveTheFileAsBefore()
    {
        f.choose(m_saveFile);
        f.clickOption(2);
        typeName("张三");
        writeWithTheButton();
        f.clickOption(1);
        typeName("AB");
        writeWithTheButton();
        QCOMPARE(f.prompts.messages.size(), 2);

        QTest::keyClicks(f.box(2), "7");
        QTest::keyClick(f.box(2), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.box(2)->text(), QString());
        QCOMPARE(contents(m_saveFile).mid(1724, 8), QByteArray::fromHex("4142000000000000"));

        takeBack();
        QByteArray expected = f.gameFile();
        expected.replace(1788, 8, QByteArray::fromHex("D5C5C8FD00000000"));
        QCOMPARE(contents(m_saveFile), expected);
        QCOMPARE(f.names(), (QStringList{"张", "三", "", ""}));
        QCOMPARE(f.prompts.questions.size(), 1);
        QCOMPARE(
            f.prompts.questions[0].text,
            QStringLiteral("撤销上次修改将写入存盘文件“%1”：自定义武将1的名字从“AB”改回“张三”。\n"
                           "要撤销吗？")
                .arg(m_saveFile));
        QCOMPARE(f.prompts.messages[2].text,
                 QStringLiteral("已撤销：存盘文件“%1”中自定义武将1的名字已改回“张三”。")
                     .arg(m_saveFile));
        f.clickOption(3);
        takeBack(false); // no: nothing is written, the write stays
        QCOMPARE(contents(m_saveFile), expected);
        takeBack();
        QCOMPARE(
            f.prompts.questions[2].text,
            QStringLiteral("撤销上次修改将写入存盘文件“%1”：自定义武将2的名字从“张三”改回“%2”。\n"
                           "撤销后本页显示这个文件的自定义武将2，“修改文件”也将写入那里。\n"
                           "要撤销吗？")
                .arg(m_saveFile, QString(4, u'铑')));
        QCOMPARE(contents(m_saveFile), f.gameFile());
        QVERIFY(f.control<QRadioButton>("Option2")->isChecked());
        QCOMPARE(f.names(), QStringList(4, QStringLiteral("铑")));

        takeBack(std::nullopt); // nothing left to take back
        QCOMPARE(contents(m_saveFile), f.gameFile());
        QCOMPARE(f.prompts.messages.size(), 4);
    }

    // Ctrl+Z undoes a fill first, as one step, and reaches the file only
    // after that, asking: what 修改文件 writes next never moves unseen.
    void ctrlZUndoesTheFillBeforeItTakesAWriteBack()
    {
        f.choose(m_saveFile);
        f.clickOption(3);
        typeName("张三");
        writeWithTheButton();
        const QByteArray written = contents(m_saveFile);
        f.clickOption(4);
        typeName("李四");
        QGuiApplication::clipboard()->setText(QStringLiteral("41 42"));
        QTest::keySequence(f.box(1), QKeySequence::Paste);
        QCOMPARE(f.boxes(), (QStringList{"C0EE", "4142", "", ""}));

        QTest::keyClick(f.box(1), Qt::Key_Z, Qt::ControlModifier); // the paste, in the box
        QCOMPARE(f.boxes(), (QStringList{"C0EE", "CBC4", "", ""}));
        takeBack(std::nullopt); // the F2 fill, outside the boxes
        QCOMPARE(f.boxes(), (QStringList{"D5C5", "C8FD", "", ""}));
        QCOMPARE(contents(m_saveFile), written);
        QVERIFY(f.control<QRadioButton>("Option4")->isChecked());
        QCOMPARE(f.prompts.questions.size(), 0);

        takeBack(false); // now the write, asked and refused
        QCOMPARE(f.prompts.questions.size(), 1);
        QCOMPARE(contents(m_saveFile), written);
        QVERIFY(f.control<QRadioButton>("Option4")->isChecked());
        QCOMPARE(f.field("Text3")->text(), m_saveFile);
    }

    // A write whose file has gone is forgotten after its message, so the
    // older ones can still be taken back.
    void writeOfAVanishedFileIsForgotten()
    {
        const QString other = QDir::toNativeSeparators(m_dir->path() + "/other.dat");
        QVERIFY(create(other, f.gameFile()));
        f.choose(m_saveFile);
        f.clickOption(2);
        typeName("张三");
        writeWithTheButton();
        f.choose(other);
        f.clickOption(3);
        typeName("李四");
        writeWithTheButton();
        QVERIFY(QFile::remove(other));

        takeBack();
        QCOMPARE(f.prompts.messages.size(), 4);
        QVERIFY(f.prompts.messages[2].text.startsWith(
            QStringLiteral("无法打开存盘文件“%1”。").arg(other)));
        QCOMPARE(f.prompts.messages[3].text, QStringLiteral("这次修改不能再撤销了。"));
        QVERIFY(!QFileInfo::exists(other));
        takeBack();
        QCOMPARE(contents(m_saveFile), f.gameFile());
        QCOMPARE(f.field("Text3")->text(), m_saveFile);
    }

    void writeTakenBackAfterAnotherChangeWritesNothing()
    {
        f.choose(m_saveFile);
        f.clickOption(2);
        typeName("张三");
        writeWithTheButton();
        QByteArray changed = contents(m_saveFile);
        changed[1795] = 'X';
        QVERIFY(create(m_saveFile, changed));

        takeBack();
        QCOMPARE(contents(m_saveFile), changed);
        QCOMPARE(f.prompts.messages.size(), 2);
        QCOMPARE(f.prompts.messages[1].title, QStringLiteral("错误!"));
        QCOMPARE(
            f.prompts.messages[1].text,
            QStringLiteral(
                "存盘文件“%1”中自定义武将2的名字在上次修改之后又被改动过，不能撤销。文件没有写入。")
                .arg(m_saveFile));
        takeBack(std::nullopt); // forgotten: it never can be taken back
        QCOMPARE(f.prompts.messages.size(), 2);
    }

    // The whole line shows, the longest included.
    void previewNamesTheSlotAndTheFile_data()
    {
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<int>("option"); // selected before the file is chosen
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QString>("preview");
        const QStringList zhangSan{"D5C5", "C8FD", "", ""};
        QTest::newRow("no file chosen")
            << false << 1 << zhangSan << "尚未选择存盘文件：请先点击“设置”选择。";
        QTest::newRow("boxes show slot 1, the write goes to slot 3")
            << true << 3 << zhangSan << "将写入自定义武将3: D5C5 C8FD 0000 0000 = 张三";
        QTest::newRow("four characters") << true << 4 << QStringList{"D6BB", "B0AE", "C8F6", "BDBF"}
                                         << "将写入自定义武将4: D6BB B0AE C8F6 BDBF = 只爱撒娇";
    }
    void previewNamesTheSlotAndTheFile()
    {
        QFETCH(bool, chosen);
        QFETCH(int, option);
        QFETCH(QStringList, typed);
        QFETCH(QString, preview);
        f.clickOption(option);
        f.typeBoxes(typed);
        if (chosen)
            f.choose(m_saveFile);
        auto *label = f.control<QLabel>("LabelPreview");
        QCOMPARE(label->text(), preview);
        QVERIFY(label->fontMetrics().horizontalAdvance(preview) <= label->width());
        f.click("Command8");
        QCOMPARE(f.prompts.messages.size(), chosen ? 1 : 0);
    }

    void nameDialogIsChinese()
    {
        const auto dialog = textDialog(nullptr, "按文字填写", "新名字:");
        QCOMPARE(dialog->windowTitle(), QStringLiteral("按文字填写"));
        QCOMPARE(dialog->labelText(), QStringLiteral("新名字:"));
        QStringList buttons;
        for (QAbstractButton *button : dialog->findChild<QDialogButtonBox *>()->buttons())
            buttons << button->text();
        buttons.sort();
        QCOMPARE(buttons, (QStringList{"取消", "确定"}));
    }
};

QTEST_MAIN(tst_Renaming)
#include "tst_renaming.moc"

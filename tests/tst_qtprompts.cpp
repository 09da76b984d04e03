// SPDX-License-Identifier: MIT
#include "app/nameonlyiconprovider.h"
#include "app/qtprompts.h"
#include "app/startup.h"
#include "app/typedfilename.h"
#include "support/files.h"
#include "support/scriptedprompts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QTreeView>

namespace {

// Windows refuses "<" and ">" in file names.
#ifdef _WIN32
constexpr bool namesTakeMarkup = false;
#else
constexpr bool namesTakeMarkup = true;
#endif

// The text of a message box as it shows it: "<b>x</b>" is bold in rich
// text, shown as it is in plain text.
QString shownText(const QMessageBox &box)
{
    const auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    return label && label->textFormat() == Qt::PlainText ? label->text() : QStringLiteral("<rich>");
}

} // namespace

// The real dialogs, after the program's own start-up, whatever LANG says.
class tst_QtPrompts : public QObject {
    Q_OBJECT

    QtPrompts prompts;

private slots:
    void initTestCase()
    {
        qputenv("LANG", "en_US.UTF-8");
        prepareApplication();
    }

    void qtSpeaksChinese()
    {
        const auto box =
            QtPrompts::messageBox(nullptr, QStringLiteral("错误!"), QStringLiteral("文本"));
        QCOMPARE(box->buttons().size(), 1);
        QCOMPARE(box->buttons()[0]->text(), QStringLiteral("确定"));

        const auto chooser =
            prompts.fileDialog(nullptr, QFileDialog::AcceptSave, QStringLiteral("导出结果"),
                               QStringLiteral("文本文件(*.txt)|*.txt"), QString());
        const QPushButton *accept =
            chooser->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Save);
        QVERIFY(accept);
        QVERIFY2(!accept->text().contains(QStringLiteral("Save")), qPrintable(accept->text()));
        QVERIFY2(accept->text().contains(QStringLiteral("保存")), qPrintable(accept->text()));
    }

    // Qt's catalogue is read from Qt's translations folder; without it
    // the program still starts, with Qt's buttons in English.
    void qtCatalogueFromItsFolder_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("button");
        QTest::newRow("Qt's translations folder") << true << "确定";
        QTest::newRow("no catalogue there") << false << "OK";
    }
    void qtCatalogueFromItsFolder()
    {
        QFETCH(bool, present);
        QFETCH(QString, button);
        const QList<QTranslator *> installed = qApp->findChildren<QTranslator *>();
        for (QTranslator *translator : installed)
            QCoreApplication::removeTranslator(translator);
        QTemporaryDir empty;
        const std::unique_ptr<QTranslator> loaded(installQtCatalogue(
            present ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : empty.path()));
        QCOMPARE(loaded != nullptr, present);
        const auto box = QtPrompts::messageBox(nullptr, QStringLiteral("错误!"), QString());
        const QString shown = box->buttons()[0]->text();
        for (QTranslator *translator : installed)
            QCoreApplication::installTranslator(translator);
        QCOMPARE(shown, button);
    }

    void eachChooserShowsItsFilterOnce_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("listed");
        QTest::addColumn<QString>("hidden");
        QTest::newRow("export") << "文本文件(*.txt)|*.txt"
                                << "文本文件(*.txt)"
                                << "结果.txt"
                                << "结果.dat";
        QTest::newRow("save file") << "ShinSangokumusou3.dat|ShinSangokumusou3.dat"
                                   << "ShinSangokumusou3.dat"
                                   << "ShinSangokumusou3.dat"
                                   << "Other.dat";
    }
    void eachChooserShowsItsFilterOnce()
    {
        QFETCH(QString, filter);
        QFETCH(QString, shown);
        QFETCH(QString, listed);
        QFETCH(QString, hidden);
        QTemporaryDir dir;
        QVERIFY(create(dir.filePath(listed), "x") && create(dir.filePath(hidden), "x"));
        const auto chooser =
            prompts.fileDialog(nullptr, QFileDialog::AcceptOpen, QString(), filter, dir.path());
        QCOMPARE(chooser->nameFilters(), QStringList{shown});
        const QComboBox *types = chooser->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        QCOMPARE(types->count(), 1);
        QCOMPARE(types->itemText(0), shown);
        chooser->show();
        const QListView *view = chooser->findChild<QListView *>(QStringLiteral("listView"));
        QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 1);
        QCOMPARE(view->model()->index(0, 0, view->rootIndex()).data().toString(), listed);
    }

    void columnsAreChinese_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("shown");
        QTest::newRow("size in bytes") << "六.txt" << 6 << 1 << "6 字节";
        QTest::newRow("size in bytes, three digits") << "二四四.txt" << 244 << 1 << "244 字节";
        QTest::newRow("empty file") << "空.txt" << 0 << 1 << "0 字节";
        QTest::newRow("size in KiB") << "大.txt" << 2500 << 1 << "2.44 KiB";
        QTest::newRow("folder has no size") << "文件夹" << -1 << 1 << "";
        QTest::newRow("date") << "六.txt" << 6 << 3 << "2026/12/7 14:11";
        QTest::newRow("type of a folder") << "文件夹" << -1 << 2 << "文件夹";
        QTest::newRow("type of a text file")
            << "六.txt" << 6 << 2
            << QMimeDatabase().mimeTypeForFile("六.txt", QMimeDatabase::MatchExtension).comment();
    }
    // Under LC_ALL=C.UTF-8, as every test runs: the system's language is
    // English.
    void columnsAreChinese()
    {
        QFETCH(QString, name);
        QFETCH(int, size);
        QFETCH(int, column);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (size < 0) {
            QVERIFY(QDir(dir.path()).mkdir(name));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(size, 'x')) == size);
            QVERIFY(file.flush());
            QVERIFY(file.setFileTime(QDateTime(QDate(2026, 12, 7), QTime(14, 11)),
                                     QFileDevice::FileModificationTime));
        }
        const auto chooser =
            prompts.fileDialog(nullptr, QFileDialog::AcceptSave, QStringLiteral("导出结果"),
                               QStringLiteral("文本文件(*.txt)|*.txt"), dir.path());
        chooser->setViewMode(QFileDialog::Detail);
        chooser->show();
        const QTreeView *view = chooser->findChild<QTreeView *>(QStringLiteral("treeView"));
        QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), 1);
        const QModelIndex file = view->model()->index(0, column, view->rootIndex());
        QTRY_COMPARE(file.data().toString(), shown);
    }

    // Folders first, numbers as numbers, ties by name; a descending order
    // is the ascending one turned round.
    void chooserOrder_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<Qt::SortOrder>("order");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("name") << 0 << Qt::AscendingOrder
                              << QStringList{"子文件夹",  "结果1.txt",  "结果2.dat",
                                             "结果3.png", "结果10.txt", "结果100.txt"};
        QTest::newRow("name, descending")
            << 0 << Qt::DescendingOrder << QStringList{"结果100.txt", "结果10.txt", "结果3.png",
                                                       "结果2.dat",   "结果1.txt",  "子文件夹"};
        QTest::newRow("size") << 1 << Qt::AscendingOrder
                              << QStringList{"子文件夹",   "结果100.txt", "结果2.dat",
                                             "结果10.txt", "结果3.png",   "结果1.txt"};
        QTest::newRow("size, descending")
            << 1 << Qt::DescendingOrder << QStringList{"结果1.txt", "结果3.png",   "结果10.txt",
                                                       "结果2.dat", "结果100.txt", "子文件夹"};
    }
    void chooserOrder()
    {
        QFETCH(int, column);
        QFETCH(Qt::SortOrder, order);
        QFETCH(QStringList, names);
        QTemporaryDir dir;
        const QList<std::pair<QString, int>> files{{"结果1.txt", 5},
                                                   {"结果2.dat", 3},
                                                   {"结果3.png", 4},
                                                   {"结果10.txt", 3},
                                                   {"结果100.txt", 0}};
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("子文件夹")));
        for (const auto &[name, size] : files)
            QVERIFY(create(dir.filePath(name), QByteArray(size, 'x')));
        const auto chooser = prompts.fileDialog(nullptr, QFileDialog::AcceptOpen, QString(),
                                                QStringLiteral("所有文件 (*)|*"), dir.path());
        chooser->setViewMode(QFileDialog::Detail);
        chooser->show();
        auto *view = chooser->findChild<QTreeView *>(QStringLiteral("treeView"));
        QTRY_COMPARE(view->model()->rowCount(view->rootIndex()), names.size());
        view->header()->setSortIndicator(column, order);
        const auto shown = [&] {
            QStringList shown;
            for (int row = 0; row < view->model()->rowCount(view->rootIndex()); ++row)
                shown << view->model()->index(row, 0, view->rootIndex()).data().toString();
            return shown;
        };
        QTRY_COMPARE(shown(), names);
    }

    void messagesArePlainText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("path with a tag, reason on the next line")
            << "无法创建导出文件“/tmp/<b>abc</b>.txt”。\n文件或文件夹不存在。";
        QTest::newRow("path with an entity") << "无法打开存盘文件“/tmp/a&amp;b/<br>”。";
        QTest::newRow("path that looks like a document") << "<html><body>存档</body></html>";
    }
    void messagesArePlainText()
    {
        QFETCH(QString, text);
        const auto box = QtPrompts::messageBox(nullptr, QStringLiteral("错误!"), text);
        box->show();
        QCOMPARE(shownText(*box), text);
    }

    // The one-line dialog gives the line typed, or nothing when cancelled.
    void textAnswers_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("answer");
        QTest::newRow("确定 gives the line typed") << true << "张三";
        QTest::newRow("取消 gives nothing") << false << "";
    }

    void textAnswers()
    {
        QFETCH(bool, accept);
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->setTextValue(QStringLiteral("张三"));
            accept ? dialog->accept() : dialog->reject();
        });
        QTEST(prompts.text(nullptr, "按文字填写", "新名字:"), "answer");
    }

    // Qt's own question before replacing a file names the file.
    void replaceQuestionIsPlainText()
    {
        if (!namesTakeMarkup)
            QSKIP("no file name holds markup here");
        QTemporaryDir dir;
        const QString name = QStringLiteral("<b>abc.txt");
        QVERIFY(create(dir.filePath(name), "x"));
        const auto chooser =
            prompts.fileDialog(nullptr, QFileDialog::AcceptSave, QStringLiteral("导出结果"),
                               QStringLiteral("文本文件(*.txt)|*.txt"), dir.filePath(name));
        chooser->show();
        QString shown;
        QTimer::singleShot(0, chooser.get(), [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            shown = shownText(*box);
            box->reject();
        });
        chooser->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Save)->click();
        QVERIFY2(shown.startsWith(name), qPrintable(shown));
        QVERIFY2(shown.contains(u'\n'), qPrintable(shown));
    }

    // A file is placed by its name only: two files of the same name get the
    // same type, whatever they hold, so the chooser never reads one.
    void fileTypesComeFromNamesAlone()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("a"))
                && QDir(dir.path()).mkdir(QStringLiteral("b")));
        QVERIFY(create(dir.filePath(QStringLiteral("a/kmsg")), "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"));
        QVERIFY(create(dir.filePath(QStringLiteral("b/kmsg")), ""));
        const NameOnlyIconProvider icons;
        const QFileInfo pdf(dir.filePath(QStringLiteral("a/kmsg")));
        const QFileInfo empty(dir.filePath(QStringLiteral("b/kmsg")));
        QCOMPARE(icons.type(pdf), icons.type(empty));
        QCOMPARE(icons.icon(pdf).name(), icons.icon(empty).name());
    }

    // A typed name that would not name the file it seems to is refused with
    // a message, and the chooser stays open: the chooser itself would read
    // a"b.txt as b.txt, Windows x.txt. as x.txt.
    void misleadingNamesAreRefused_data()
    {
        const bool windows = QSysInfo::productType() == u"windows";
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<bool>("clicked"); // an existing file, clicked in the list
        QTest::newRow("plain") << "结果.txt" << false << false;
        QTest::newRow("quote") << "a\"b.txt" << true << false;
        QTest::newRow("quoted pair") << "\"a.txt\" \"b.txt\"" << true << false;
        QTest::newRow("trailing dot") << "x.txt." << windows << false;
        QTest::newRow("trailing blank") << "y.txt " << windows << false;
        QTest::newRow("folder with trailing dot") << "d./z.txt" << windows << false;
        QTest::newRow("stream name") << "结果.txt:x" << windows << false;
        QTest::newRow("wildcard") << "a?.txt" << windows << false;
        QTest::newRow("device") << "nul.txt" << windows << false;
        QTest::newRow("device in a folder") << "d/CON" << windows << false;
        QTest::newRow("device-like name") << "console.txt" << false << false;
        if (namesTakeMarkup)
            QTest::newRow("quote, clicked in the list") << "x\"y.txt" << false << true;
    }
    void misleadingNamesAreRefused()
    {
        QFETCH(QString, typed);
        QFETCH(bool, refused);
        QFETCH(bool, clicked);
        QTemporaryDir dir;
        QVERIFY(!clicked || create(dir.filePath(typed), "x"));
        const auto chooser =
            prompts.fileDialog(nullptr, clicked ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave,
                               QString(), QStringLiteral("文本文件(*.txt)|*.txt"), dir.path());
        chooser->show();
        if (clicked) {
            auto *list = chooser->findChild<QListView *>(QStringLiteral("listView"));
            QTRY_COMPARE(list->model()->rowCount(list->rootIndex()), 1);
            list->setCurrentIndex(list->model()->index(0, 0, list->rootIndex()));
            QCOMPARE(chooser->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text(),
                     typed);
        } else {
            chooser->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(typed);
        }
        QString shown;
        QTimer::singleShot(0, chooser.get(), [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->accept();
            }
        });
        chooser->findChild<QDialogButtonBox *>()
            ->button(clicked ? QDialogButtonBox::Open : QDialogButtonBox::Save)
            ->click();
        QCoreApplication::processEvents();
        QCOMPARE(!shown.isEmpty(), refused);
        QCOMPARE(chooser->isVisible(), refused);
        if (clicked)
            QCOMPARE(chooser->selectedFiles(), QStringList{dir.filePath(typed)});
    }

    // What a system dialog returns is checked as a typed name is: a
    // refused one is told under "错误!" and the dialog offered again.
    void systemDialogChoicesAreChecked_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("taken");
        QTest::addColumn<int>("refusals");
        QTest::newRow("taken at once")
            << QStringList{"C:/导出/结果.txt"} << "C:/导出/结果.txt" << 0;
        QTest::newRow("cancelled") << QStringList{""} << "" << 0;
        QTest::newRow("refused, then another")
            << QStringList{"C:/导出/a\"b.txt", "C:/导出/结果.txt"} << "C:/导出/结果.txt" << 1;
        QTest::newRow("refused, then cancelled") << QStringList{"C:/导出/a\"b.txt", ""} << "" << 1;
    }
    void systemDialogChoicesAreChecked()
    {
        QFETCH(QStringList, answers);
        QFETCH(QString, taken);
        QFETCH(int, refusals);
        ScriptedPrompts scripted;
        const QString chosen =
            checkedChoice(scripted, nullptr, [&] { return answers.takeFirst(); });
        QCOMPARE(chosen, taken);
        QVERIFY(answers.isEmpty());
        QCOMPARE(scripted.messages.size(), refusals);
        for (const auto &message : scripted.messages) {
            QCOMPARE(message.title, QStringLiteral("错误!"));
            QCOMPARE(message.text, typedFileNameProblem(QStringLiteral("a\"b.txt")));
        }
    }
};

QTEST_MAIN(tst_QtPrompts)
#include "tst_qtprompts.moc"

// SPDX-License-Identifier: MIT
#include "app/resultlist.h"
#include "support/files.h"
#include "support/mainwindowfixture.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// About 10 MB of UTF-16: Chinese, Latin, hexadecimal codes, lone
// surrogates, NULs, full-width blanks and long runs of blanks.
QString hostileText()
{
    const QStringList pieces{
        QStringLiteral("只爱撒娇"),     QStringLiteral("D6BB b0ae"), QStringLiteral("Vemdra ß ŉ"),
        QString(QChar(0xD800)),         QString(QChar(0xDC00)),      QString(QChar(0)),
        QStringLiteral("\u3000\u3000"), QStringLiteral("😀"),         QString(3000, u' '),
        QStringLiteral("FFFFFFFFFFFF"), QStringLiteral("5g 0x1F"),
    };
    QRandomGenerator random(1724);
    QString text;
    text.reserve(5'000'000 + 4000);
    while (text.size() < 5'000'000)
        text += pieces[random.bounded(int(pieces.size()))];
    return text;
}

qsizetype characterCount(const QString &text)
{
    qsizetype count = 0;
    for (qsizetype i = 0; i < text.size(); ++count)
        i += text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2
                                                                                              : 1;
    return count;
}

qsizetype tokenCount(const QString &text)
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == u' ')
        ++start;
    return QStringView(text).mid(start).count(u' ') + 1;
}

// A FIFO or a folder at `path`.
bool makeSpecial(const QString &path, const QString &kind)
{
    if (kind == "fifo")
        return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    return QDir().mkdir(path);
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

} // namespace

class tst_HostileInput : public QObject {
    Q_OBJECT

    MainWindowFixture f;
    QString text = hostileText();

    void paste(const char *field)
    {
        QGuiApplication::clipboard()->setText(text);
        f.field(field)->setFocus();
        QTest::keyClick(f.field(field), Qt::Key_V, Qt::ControlModifier);
    }

private slots:
    void init() { f.open(); }
    void cleanup() { f.close(); }

    void hugePasteIntoText1Converts()
    {
        paste("Text1");
        QCOMPARE(f.field("Text1")->text().size(), text.size());
        f.click("Command3");
        const convert::Lines &lines = f.control<ResultList>("List1")->lines();
        QCOMPARE(lines.size(), characterCount(text));
        QVERIFY(lines.at(lines.size() - 1)
                    .startsWith(QStringLiteral("序号:%1   原字符:").arg(lines.size())));
        // Linear in the input: well under a kilobyte per character.
        QVERIFY2(peakMegabytes() < 4096, qPrintable(QString::number(peakMegabytes())));
    }

    void hugePasteIntoText2Converts()
    {
        paste("Text2");
        f.click("Command4");
        QCOMPARE(f.field("Text2")->text().size(), text.size());
        const convert::Lines &lines = f.control<ResultList>("List2")->lines();
        QCOMPARE(lines.size(), tokenCount(f.field("Text2")->text()));
        QVERIFY(
            lines.at(lines.size() - 1).startsWith(QStringLiteral("序号:%1  ").arg(lines.size())));
        QVERIFY2(peakMegabytes() < 4096, qPrintable(QString::number(peakMegabytes())));
    }

    // A FIFO would block the window in open(); a folder cannot be written.
    void specialExportPathsAreRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("folder") << "folder";
    }
    void specialExportPathsAreRefused()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(kind);
        QVERIFY(makeSpecial(path, kind));
        f.field("Text1")->setText(QStringLiteral("A"));
        f.click("Command3");
        f.prompts.saveAnswers.enqueue(path);
        f.click("Command5");
        QCOMPARE(f.prompts.messages.size(), 1);
        QCOMPARE(f.prompts.messages[0].title, QStringLiteral("错误!"));
        QVERIFY(f.prompts.messages[0].text.contains(path));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                 QStringList{kind});
    }

    void specialSaveFilePathsAreRefused_data() { specialExportPathsAreRefused_data(); }
    void specialSaveFilePathsAreRefused()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString path = dir.filePath(kind);
        QVERIFY(makeSpecial(path, kind));
        f.prompts.openAnswers.enqueue(path);
        f.click("Command7");
        f.field("Text8")->setText(QStringLiteral("D5C5"));
        f.click("Command8");
        QCOMPARE(f.prompts.messages.size(), 2);
        for (const auto &message : f.prompts.messages) {
            QCOMPARE(message.title, QStringLiteral("错误!"));
            QVERIFY(message.text.contains(path));
        }
    }

    // Cut short by a file-size limit, a write leaves the file as it was, and
    // nothing is left to take back.
    void shortSaveFileWriteLeavesNoHalfName()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("ShinSangokumusou3.dat");
        const QByteArray before(1724, '\xEE');
        QVERIFY(create(path, before));
        f.prompts.openAnswers.enqueue(path);
        f.click("Command7");
        const char *const boxes[] = {"Text8", "Text9", "Text10", "Text11"};
        const QStringList codes{"D5C5", "C8FD", "C0EE", "CBC4"};
        for (int cell = 0; cell < 4; ++cell)
            f.field(boxes[cell])->setText(codes[cell]);

        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        const rlimit limited{1728, old.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
        f.click("Command8");
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &old), 0);

        QCOMPARE(contents(path), before);
        QCOMPARE(f.prompts.messages.size(), 1);
        QCOMPARE(f.prompts.messages[0].text,
                 QStringLiteral("存盘文件“%1”没有写完整：磁盘可能已满，或文件大小受到限制。")
                     .arg(QDir::toNativeSeparators(path)));
        QTest::keyClick(f.control("Command8"), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(f.prompts.questions.size(), 0);
        QCOMPARE(f.prompts.unscripted, 0);
    }
};

QTEST_MAIN(tst_HostileInput)
#include "tst_hostileinput.moc"

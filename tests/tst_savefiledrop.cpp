// SPDX-License-Identifier: MIT
#include "support/savefilepagefixture.h"

#include <QDirIterator>
#include <QMimeData>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A save folder from a Chinese Windows zip: 存档 in GBK.
const QByteArray gbkName("\xB4\xE6\xB5\xB5");

// Through the POSIX calls, which take a name's bytes as they are.
bool createRaw(const QByteArray &path, const QByteArray &bytes)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, bytes.constData(), bytes.size()) == bytes.size();
    return ::close(fd) == 0 && written;
}

QByteArray contentsRaw(const QByteArray &path)
{
    QByteArray bytes(8192, '\0');
    const int fd = ::open(path.constData(), O_RDONLY);
    if (fd < 0)
        return "<unreadable>";
    const ssize_t size = ::read(fd, bytes.data(), bytes.size());
    ::close(fd);
    return bytes.left(size < 0 ? 0 : size);
}

// Every name under `folder`, as the system lists it.
QStringList tree(const QString &folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        names << it.next();
    names.sort();
    return names;
}

} // namespace

// Drops that name no file the program can open: refused with a message,
// and no file is read or created.
class tst_SaveFileDrop : public QObject {
    Q_OBJECT

    SaveFilePageFixture f;

    void send(QDropEvent &event)
    {
        QCoreApplication::sendEvent(f.window.get(), &event);
        QVERIFY(event.isAccepted());
    }

private slots:
    void init()
    {
        f.open();
        f.control<QTabWidget>("SSTab1")->setCurrentIndex(2);
    }
    void cleanup()
    {
        QCOMPARE(f.prompts.unscripted, 0);
        f.close();
    }

    void refusedDropCreatesNothing_data()
    {
        QTest::addColumn<QByteArray>("relative"); // the dropped file's bytes, under the folder
        QTest::addColumn<QString>("vanishes");    // "", "before the drop", "after the drop"
        QTest::addColumn<QString>("sentence");
        const QString notUtf8 = QStringLiteral(
            "拖放的文件“%1”的路径中有不是 UTF-8 编码的文件名或文件夹名（无法识别的部分显示为“�”），例如从中文 Windows 的压缩包解出的 GBK 名字，程序无法打开它。请把这个文件或它所在的文件夹改名后再拖放。");
        const QString missing = QStringLiteral(
            "拖放的文件“%1”已不存在，可能已被移动或删除。程序没有读取，也没有创建任何文件。");
        QTest::newRow("GBK file name") << gbkName + ".dat"
                                       << "" << notUtf8;
        QTest::newRow("GBK folder name") << gbkName + "/ShinSangokumusou3.dat"
                                         << "" << notUtf8;
        QTest::newRow("file gone between drag and drop")
            << QByteArray("存档/ShinSangokumusou3.dat") << "before the drop" << missing;
        QTest::newRow("file gone between drop and reading")
            << QByteArray("存档/ShinSangokumusou3.dat") << "after the drop" << missing;
    }
    void refusedDropCreatesNothing()
    {
        QFETCH(QByteArray, relative);
        QFETCH(QString, vanishes);
        QFETCH(QString, sentence);
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path());
        const QByteArray file = folder + '/' + relative;
        const QByteArray parent = file.left(file.lastIndexOf('/'));
        // QTemporaryDir cannot remove names that are not UTF-8.
        const auto removeRaw = qScopeGuard([&] {
            ::unlink(file.constData());
            if (parent != folder)
                ::rmdir(parent.constData());
        });
        QVERIFY(parent == folder || ::mkdir(parent.constData(), 0755) == 0);
        QVERIFY(createRaw(file, f.gameFile()));

        // As a file manager offers it: the name's bytes percent-encoded.
        QMimeData mime;
        mime.setData(QStringLiteral("text/uri-list"),
                     "file://" + file.toPercentEncoding("/") + "\r\n");
        const QUrl url = mime.urls().value(0);
        const QPoint at = f.window->rect().center();
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, actions, &mime, Qt::LeftButton, Qt::NoModifier);
        send(enter);
        if (vanishes == "before the drop")
            QVERIFY(::unlink(file.constData()) == 0);
        QDropEvent drop(at, actions, &mime, Qt::LeftButton, Qt::NoModifier);
        send(drop);
        if (vanishes == "after the drop")
            QVERIFY(::unlink(file.constData()) == 0);
        const QStringList files = tree(dir.path());

        QTRY_COMPARE(f.prompts.messages.size(), 1);
        QCOMPARE(f.prompts.messages[0].title, QStringLiteral("错误!"));
        QCOMPARE(f.prompts.messages[0].text, sentence.arg(url.toLocalFile()));
        QVERIFY(f.field("Text3")->text().isEmpty());
        f.field("Text8")->setText(QStringLiteral("D5C5"));
        f.click("Command8");
        QCOMPARE(f.prompts.messages.size(), 1);
        QCOMPARE(tree(dir.path()), files);
        if (vanishes.isEmpty())
            QCOMPARE(contentsRaw(file), f.gameFile());
    }
};

QTEST_MAIN(tst_SaveFileDrop)
#include "tst_savefiledrop.moc"

// SPDX-License-Identifier: MIT
#include "convert/export.h"
#include "savefile/slotfile.h"
#include "support/codec.h"
#include "support/files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <windows.h>

using convert::ExportStep;
using savefile::SlotStep;

Q_DECLARE_METATYPE(SlotStep)
Q_DECLARE_METATYPE(ExportStep)

namespace {

std::wstring native(const QString &path)
{
    return QDir::toNativeSeparators(path).toStdWString();
}

const savefile::SlotBytes name{0xD5, 0xC5, 0xC8, 0xFD, 0, 0, 0, 0};

// Another program's handle on a file, as the game may hold the save file.
class HeldOpen {
public:
    HeldOpen(const QString &path, DWORD share)
        : m_handle(CreateFileW(native(path).c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~HeldOpen()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
    }
    bool isOpen() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

bool makeReadOnly(const QString &path)
{
    return SetFileAttributesW(native(path).c_str(), FILE_ATTRIBUTE_READONLY);
}

} // namespace

class tst_WindowsFiles : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    // Chinese and blanks in the folder, as in a real game folder.
    QString path(const QString &file = QStringLiteral("ShinSangokumusou3.dat")) const
    {
        return m_dir->path() + QStringLiteral("/存盘 文件/") + file;
    }
    QStringList filesHere() const
    {
        return QDir(m_dir->path() + QStringLiteral("/存盘 文件"))
            .entryList(QDir::Files | QDir::Hidden);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("存盘 文件")));
    }
    void cleanup()
    {
        // Read-only files would stay behind.
        for (const QString &file : filesHere())
            SetFileAttributesW(native(path(file)).c_str(), FILE_ATTRIBUTE_NORMAL);
        m_dir.reset();
    }

    // The game may keep the save file open while the name is changed.
    void slotWritesBesideAnotherProgramsHandle_data()
    {
        QTest::addColumn<int>("share");
        QTest::addColumn<bool>("written");
        QTest::newRow("shared for reading and writing")
            << int(FILE_SHARE_READ | FILE_SHARE_WRITE) << true;
        QTest::newRow("held exclusively") << 0 << false;
    }
    void slotWritesBesideAnotherProgramsHandle()
    {
        QFETCH(int, share);
        QFETCH(bool, written);
        const QByteArray before(4096, '\xEE');
        QVERIFY(create(path(), before));
        const auto error = [&] {
            const HeldOpen game(path(), DWORD(share));
            if (!game.isOpen())
                qFatal("cannot hold the file open");
            return savefile::writeSlot(path(), 2, name);
        }();
        QByteArray expected = before;
        if (written) {
            QVERIFY(!error);
            expected.replace(1788, 8, QByteArray::fromHex("D5C5C8FD00000000"));
        } else {
            QVERIFY(error);
            QCOMPARE(error->step, SlotStep::Open);
            QCOMPARE(error->code, int(ERROR_SHARING_VIOLATION));
        }
        QCOMPARE(contents(path()), expected);
    }

    void slotFileRefusals_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<SlotStep>("step");
        QTest::addColumn<int>("code");
        QTest::newRow("a read-only file")
            << "read-only" << SlotStep::Open << int(ERROR_ACCESS_DENIED);
        QTest::newRow("a folder") << "folder" << SlotStep::NotRegularFile << 0;
        QTest::newRow("the console") << "CON" << SlotStep::NotRegularFile << 0;
        QTest::newRow("the null device") << "\\\\.\\NUL" << SlotStep::NotRegularFile << 0;
        QTest::newRow("a missing folder")
            << "missing" << SlotStep::Open << int(ERROR_PATH_NOT_FOUND);
    }
    void slotFileRefusals()
    {
        QFETCH(QString, target);
        QFETCH(SlotStep, step);
        QFETCH(int, code);
        QString file = target;
        if (target == "read-only") {
            file = path();
            QVERIFY(create(file, QByteArray(2048, '\xEE')));
            QVERIFY(makeReadOnly(file));
        } else if (target == "folder") {
            file = path(QStringLiteral("folder"));
            QVERIFY(QDir().mkdir(file));
        } else if (target == "missing") {
            file = path(QStringLiteral("不存在/ShinSangokumusou3.dat"));
        }
        const auto error = savefile::writeSlot(file, 1, name);
        QVERIFY(error);
        QCOMPARE(error->step, step);
        QCOMPARE(error->code, code);
        if (target == "read-only") {
            QCOMPARE(contents(file), QByteArray(2048, '\xEE'));
            const savefile::SlotRead read = savefile::readSlot(file, 1);
            QVERIFY(!read.error);
        } else if (target != "missing") {
            QCOMPARE(savefile::readSlot(file, 1).error->step, step);
        }
    }

    void slotRoundTripsUnderAChinesePath()
    {
        QVERIFY(!savefile::writeSlot(path(), 4, name));
        QCOMPARE(contents(path()),
                 QByteArray(1916, '\0') + QByteArray::fromHex("D5C5C8FD00000000"));
        const savefile::SlotRead read = savefile::readSlot(path(), 4);
        QVERIFY(!read.error);
        QCOMPARE(read.bytes, name);
    }

    void exportReplacesOrRefuses_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("exported");
        QTest::addColumn<ExportStep>("step");
        QTest::newRow("an existing file is replaced") << "old" << true << ExportStep::Open;
        QTest::newRow("a read-only file is refused") << "read-only" << false << ExportStep::Open;
        QTest::newRow("the console is refused") << "CON" << false << ExportStep::NotRegularFile;
    }
    void exportReplacesOrRefuses()
    {
        QFETCH(QString, target);
        QFETCH(bool, exported);
        QFETCH(ExportStep, step);
        const QString file = target == "CON" ? target : path(QStringLiteral("结果.txt"));
        const QByteArray old("old\r\n");
        if (target != "CON")
            QVERIFY(create(file, old));
        if (target == "read-only")
            QVERIFY(makeReadOnly(file));
        // The replaced file's attributes are kept.
        if (target == "old")
            QVERIFY(SetFileAttributesW(native(file).c_str(), FILE_ATTRIBUTE_HIDDEN));
        convert::Lines lines;
        lines.append(QStringLiteral("张三"));
        const auto error = convert::exportLines(file, lines, testCodec());
        if (exported) {
            QVERIFY(!error);
            QCOMPARE(contents(file), QByteArray("\xD5\xC5\xC8\xFD\r\n"));
            QVERIFY(GetFileAttributesW(native(file).c_str()) & FILE_ATTRIBUTE_HIDDEN);
        } else {
            QVERIFY(error);
            QCOMPARE(error->step, step);
            if (target != "CON")
                QCOMPARE(contents(file), old);
        }
        if (target != "CON")
            QCOMPARE(filesHere(), QStringList{QStringLiteral("结果.txt")});
    }

    // A file another program holds open cannot be replaced, but where that
    // program shares it for writing, it is rewritten in place (under Wine
    // without reserving its space first, which Wine cannot do). Where it
    // does not, the reason says that the file is in use.
    void exportOverAFileAnotherProgramHolds_data()
    {
        QTest::addColumn<int>("share");
        QTest::addColumn<bool>("exported");
        QTest::newRow("shared for reading and writing")
            << int(FILE_SHARE_READ | FILE_SHARE_WRITE) << true;
        QTest::newRow("shared for everything, deleting included")
            << int(FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE) << true;
        QTest::newRow("shared for reading only") << int(FILE_SHARE_READ) << false;
        QTest::newRow("held exclusively") << 0 << false;
    }
    void exportOverAFileAnotherProgramHolds()
    {
        QFETCH(int, share);
        QFETCH(bool, exported);
        const QString file = path(QStringLiteral("结果.txt"));
        const QByteArray old = QByteArray(5000, 'o') + "\r\n";
        QVERIFY(create(file, old));
        convert::Lines lines;
        lines.append(QStringLiteral("张三"));
        auto other = std::make_unique<HeldOpen>(file, DWORD(share));
        QVERIFY(other->isOpen());
        const auto error = convert::exportLines(file, lines, testCodec());
        other.reset();
        if (exported) {
            QVERIFY2(!error, qPrintable(QString::number(error ? error->code : 0)));
            QCOMPARE(contents(file), QByteArray("\xD5\xC5\xC8\xFD\r\n"));
        } else {
            QVERIFY(error);
            QCOMPARE(error->code, int(ERROR_SHARING_VIOLATION));
            QCOMPARE(contents(file), old);
        }
        QCOMPARE(filesHere(), QStringList{QStringLiteral("结果.txt")});
    }
};

QTEST_GUILESS_MAIN(tst_WindowsFiles)
#include "tst_windowsfiles.moc"

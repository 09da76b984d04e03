// SPDX-License-Identifier: MIT
#include "savefile/namecells.h"
#include "savefile/slotfile.h"
#include "support/codec.h"
#include "support/files.h"
#include "support/sizelimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using savefile::SlotStep;

Q_DECLARE_METATYPE(SlotStep)

namespace {

// A slot's worth of bytes that no slot of the fixtures holds by chance.
const QByteArray marker = QByteArray::fromHex("D5C5C8FD41420043");

savefile::SlotBytes slotBytes(const QByteArray &eight)
{
    savefile::SlotBytes bytes{};
    std::copy(eight.begin(), eight.end(), bytes.begin());
    return bytes;
}

QByteArray toByteArray(const savefile::SlotBytes &bytes)
{
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), qsizetype(bytes.size()));
}

struct stat statOf(const QString &path)
{
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        qFatal("cannot stat %s", qPrintable(path));
    return info;
}

} // namespace

class tst_SlotFile : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    // Chinese and blanks in the folder, as in a real game folder.
    QString path(const QString &name = QStringLiteral("ShinSangokumusou3.dat")) const
    {
        return m_dir->path() + QStringLiteral("/存盘 文件/") + name;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("存盘 文件")));
    }
    void cleanup() { m_dir.reset(); }

    void hexBoxesGiveSlotBytes_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QByteArray>("cell");
        QTest::newRow("four digits are lead then trail") << "D5C5" << QByteArray::fromHex("D5C5");
        QTest::newRow("lower-case digits count as upper-case")
            << "d5c5" << QByteArray::fromHex("D5C5");
        QTest::newRow("two digits leave the second byte zero")
            << "41" << QByteArray::fromHex("4100");
        QTest::newRow("an empty box writes two zeros") << "" << QByteArray::fromHex("0000");
        QTest::newRow("a third digit alone is the second byte")
            << "D5C" << QByteArray::fromHex("D50C");
        QTest::newRow("digits after the fourth are ignored")
            << "D5C5C8FD" << QByteArray::fromHex("D5C5");
        QTest::newRow("a blank ends the second half") << "D5 C5" << QByteArray::fromHex("D500");
        QTest::newRow("a digit before a non-digit counts sixteen fold")
            << "5G" << QByteArray::fromHex("5000");
        QTest::newRow("blanks alone write zeros") << "    " << QByteArray::fromHex("0000");
        QTest::newRow("a surrogate pair is a whole half")
            << QStringLiteral("𠀀41") << QByteArray::fromHex("0041");
    }
    void hexBoxesGiveSlotBytes()
    {
        QFETCH(QString, box);
        QFETCH(QByteArray, cell);
        for (int boxIndex = 0; boxIndex < 4; ++boxIndex) {
            savefile::HexBoxes boxes;
            boxes[boxIndex] = box;
            QByteArray expected(8, '\0');
            expected.replace(2 * boxIndex, 2, cell);
            QCOMPARE(toByteArray(savefile::slotBytesFromHexBoxes(boxes)), expected);
        }
    }

    void flagsWhatTheWriteIgnores_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("nonHexDigit");
        QTest::addColumn<bool>("extraUnits");
        QTest::newRow("four digits are clean") << "D5C5" << false << false;
        QTest::newRow("lower-case digits are clean") << "d5c5" << false << false;
        QTest::newRow("an empty box is clean") << "" << false << false;
        QTest::newRow("three digits are clean") << "D5C" << false << false;
        QTest::newRow("a blank among the four is read as 0") << "D5 C5" << true << true;
        QTest::newRow("a letter past F is read as 0") << "5G" << true << false;
        QTest::newRow("a full-width digit is no digit") << QStringLiteral("Ｄ5") << true << false;
        QTest::newRow("digits after the fourth are ignored") << "D5C5C8FD" << false << true;
        QTest::newRow("a surrogate pair is no digit") << QStringLiteral("𠀀41") << true << false;
    }
    void flagsWhatTheWriteIgnores()
    {
        QFETCH(QString, box);
        QFETCH(bool, nonHexDigit);
        QFETCH(bool, extraUnits);
        const savefile::BoxFlaws flaws = savefile::hexBoxFlaws(box);
        QCOMPARE(flaws.nonHexDigit, nonHexDigit);
        QCOMPARE(flaws.extraUnits, extraUnits);
        QCOMPARE(flaws.any(), nonHexDigit || extraUnits);
    }

    void cellHexHasTwoDigitsPerByte()
    {
        const savefile::SlotBytes bytes = slotBytes(QByteArray::fromHex("D5C5090A00000000"));
        QCOMPARE(savefile::cellHex(bytes, 0), QStringLiteral("D5C5"));
        QCOMPARE(savefile::cellHex(bytes, 1, u" "), QStringLiteral("09 0A"));
        QCOMPARE(savefile::cellHex(bytes, 3, u" "), QStringLiteral("00 00"));
    }

    void cellsDecodeToNames_data()
    {
        QTest::addColumn<QByteArray>("slot");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("a two-character name then zeros")
            << QByteArray::fromHex("D5C5C8FD00000000") << QStringList{"张", "三", "", ""};
        QTest::newRow("four cells in file order")
            << QByteArray::fromHex("B0AEC8F6BDBFD6BB") << QStringList{"爱", "撒", "娇", "只"};
        QTest::newRow("one-byte codes give one or two characters")
            << QByteArray::fromHex("4100414200000000") << QStringList{"A", "AB", "", ""};
        QTest::newRow("a zero first byte hides the second")
            << QByteArray::fromHex("0041000000000041") << QStringList{"", "", "", ""};
        QTest::newRow("a lead byte before a zero shows the replacement")
            << QByteArray::fromHex("D600D5C500000000")
            << QStringList{QString(QChar::ReplacementCharacter), "张", "", ""};
    }
    void cellsDecodeToNames()
    {
        QFETCH(QByteArray, slot);
        QFETCH(QStringList, names);
        const savefile::CellNames cells = savefile::decodeNameCells(slotBytes(slot), testCodec());
        QCOMPARE(QStringList(cells.begin(), cells.end()), names);
    }

    void readsSlotWithoutChangingTheFile_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("size");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("slot 1 is 1724 to 1731") << 1 << 1724 << 4096 << marker;
        QTest::newRow("slot 2 is 1788 to 1795") << 2 << 1788 << 4096 << marker;
        QTest::newRow("slot 3 is 1852 to 1859") << 3 << 1852 << 4096 << marker;
        QTest::newRow("slot 4 is 1916 to 1923") << 4 << 1916 << 4096 << marker;
        QTest::newRow("slot 4 ending the file") << 4 << 1916 << 1924 << marker;
        QTest::newRow("a file ending inside the slot reads zeros after its end")
            << 1 << 1724 << 1728 << QByteArray::fromHex("D5C5C8FD00000000");
        QTest::newRow("a file ending before the slot reads zeros")
            << 2 << 1788 << 1000 << QByteArray(8, '\0');
        QTest::newRow("an empty file reads zeros") << 3 << 1852 << 0 << QByteArray(8, '\0');
    }
    void readsSlotWithoutChangingTheFile()
    {
        QFETCH(int, slot);
        QFETCH(int, offset);
        QFETCH(int, size);
        QFETCH(QByteArray, expected);
        QByteArray before(size, '\xEE');
        if (offset < size)
            before.replace(offset, qMin(8, size - offset), marker.left(size - offset));
        QVERIFY(create(path(), before));
        // An old time, so that any write would surely move it.
        const timespec old[2] = {{978307200, 0}, {978307200, 0}};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path()).constData(), old, 0), 0);

        const savefile::SlotRead read = savefile::readSlot(path(), slot);
        QVERIFY(!read.error);
        QCOMPARE(toByteArray(read.bytes), expected);

        QCOMPARE(contents(path()), before);
        QCOMPARE(statOf(path()).st_mtim.tv_sec, old[1].tv_sec);
        QCOMPARE(statOf(path()).st_mtim.tv_nsec, old[1].tv_nsec);
    }

    void readingCreatesAMissingFileEmpty()
    {
        const savefile::SlotRead read = savefile::readSlot(path(), 2);
        QVERIFY(!read.error);
        QCOMPARE(toByteArray(read.bytes), QByteArray(8, '\0'));
        QVERIFY(QFileInfo(path()).isFile());
        QCOMPARE(QFileInfo(path()).size(), 0);
    }

    void writesOnlyTheSlotInPlace_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("sizeAfter");
        QTest::newRow("slot 1 writes 1724 to 1731") << 1 << 1724 << 4096 << 4096;
        QTest::newRow("slot 2 writes 1788 to 1795") << 2 << 1788 << 4096 << 4096;
        QTest::newRow("slot 3 writes 1852 to 1859") << 3 << 1852 << 4096 << 4096;
        QTest::newRow("slot 4 writes 1916 to 1923") << 4 << 1916 << 4096 << 4096;
        QTest::newRow("slot 4 ending the file keeps its length") << 4 << 1916 << 1924 << 1924;
        QTest::newRow("a file ending inside the slot grows to its end")
            << 1 << 1724 << 1728 << 1732;
        QTest::newRow("a short file grows with zeros up to the slot") << 3 << 1852 << 100 << 1860;
        QTest::newRow("an empty file grows with zeros up to the slot") << 2 << 1788 << 0 << 1796;
    }
    void writesOnlyTheSlotInPlace()
    {
        QFETCH(int, slot);
        QFETCH(int, offset);
        QFETCH(int, size);
        QFETCH(int, sizeAfter);
        const QByteArray before(size, '\xEE');
        QVERIFY(create(path(), before));
        const QByteArray name = QFile::encodeName(path());
        QCOMPARE(::chmod(name.constData(), 0640), 0);
        if (::geteuid() == 0)
            QCOMPARE(::chown(name.constData(), 1234, 5678), 0);
        // A second name for the same file sees the new bytes only if the
        // file was patched rather than replaced.
        QCOMPARE(::link(name.constData(), QFile::encodeName(path("backup")).constData()), 0);
        const struct stat statBefore = statOf(path());

        QVERIFY(!savefile::writeSlot(path(), slot, slotBytes(marker)));

        QByteArray expected = before.leftJustified(offset, '\0');
        expected.replace(offset, 8, marker);
        QCOMPARE(expected.size(), sizeAfter);
        QCOMPARE(contents(path()), expected);
        QCOMPARE(contents(path("backup")), expected);
        const struct stat statAfter = statOf(path());
        QCOMPARE(statAfter.st_ino, statBefore.st_ino);
        QCOMPARE(statAfter.st_mode, statBefore.st_mode);
        QCOMPARE(statAfter.st_uid, statBefore.st_uid);
        QCOMPARE(statAfter.st_gid, statBefore.st_gid);
    }

    void writingCreatesAMissingFile_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("size");
        QTest::newRow("slot 1 gives 1732 bytes") << 1 << 1732;
        QTest::newRow("slot 2 gives 1796 bytes") << 2 << 1796;
        QTest::newRow("slot 3 gives 1860 bytes") << 3 << 1860;
        QTest::newRow("slot 4 gives 1924 bytes") << 4 << 1924;
    }
    void writingCreatesAMissingFile()
    {
        QFETCH(int, slot);
        QFETCH(int, size);
        QVERIFY(!savefile::writeSlot(path(), slot, slotBytes(marker)));
        QCOMPARE(contents(path()), QByteArray(size - 8, '\0') + marker);
    }

    void followsASymlinkToItsTarget()
    {
        QVERIFY(create(path(), QByteArray(2048, '\xEE')));
        QVERIFY(QFile::link(path(), path("link")));
        QVERIFY(!savefile::writeSlot(path("link"), 2, slotBytes(marker)));
        QCOMPARE(contents(path()).mid(1788, 8), marker);
        QVERIFY(S_ISLNK(statOf(path("link")).st_mode));
        const savefile::SlotRead read = savefile::readSlot(path("link"), 2);
        QVERIFY(!read.error);
        QCOMPARE(toByteArray(read.bytes), marker);
    }

    void refusesWhatCannotBeASaveFile_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<SlotStep>("step");
        QTest::addColumn<int>("code");
        for (const bool write : {false, true}) {
            const char *verb = write ? "writing" : "reading";
            QTest::addRow("%s a folder", verb)
                << write << "folder" << SlotStep::NotRegularFile << EISDIR;
            QTest::addRow("%s in a missing folder", verb)
                << write << "missing folder" << SlotStep::Open << ENOENT;
            QTest::addRow("%s below a file", verb)
                << write << "below a file" << SlotStep::Open << ENOTDIR;
            QTest::addRow("%s a FIFO, without blocking", verb)
                << write << "fifo" << SlotStep::NotRegularFile << 0;
            QTest::addRow("%s a socket", verb)
                << write << "socket" << SlotStep::NotRegularFile << 0;
        }
        QTest::newRow("writing a file without write permission, also as root")
            << true << "read-only" << SlotStep::Open << EACCES;
    }
    void refusesWhatCannotBeASaveFile()
    {
        QFETCH(bool, write);
        QFETCH(QString, kind);
        QFETCH(SlotStep, step);
        QFETCH(int, code);
        QString target = path(kind);
        const QByteArray name = QFile::encodeName(target);
        int socketFd = -1;
        if (kind == "folder") {
            QVERIFY(QDir().mkdir(target));
        } else if (kind == "missing folder") {
            target += QStringLiteral("/ShinSangokumusou3.dat");
        } else if (kind == "below a file") {
            QVERIFY(create(target, "game data"));
            target += QStringLiteral("/ShinSangokumusou3.dat");
        } else if (kind == "read-only") {
            QVERIFY(create(target, "game data"));
            QCOMPARE(::chmod(name.constData(), 0444), 0);
        } else if (kind == "fifo") {
            QCOMPARE(::mkfifo(name.constData(), 0666), 0);
        } else if (kind == "socket") {
            socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            QVERIFY(socketFd >= 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            QVERIFY(size_t(name.size()) < sizeof address.sun_path);
            std::copy(name.begin(), name.end(), address.sun_path);
            QCOMPARE(::bind(socketFd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        }
        const mode_t typeBefore = QFileInfo::exists(path(kind)) ? statOf(path(kind)).st_mode : 0;

        // A blocking open() on a FIFO would wait for ever; end the test instead.
        ::alarm(10);
        const std::optional<savefile::SlotError> error =
            write ? savefile::writeSlot(target, 1, slotBytes(marker))
                  : savefile::readSlot(target, 1).error;
        ::alarm(0);
        if (socketFd >= 0)
            ::close(socketFd);

        QVERIFY(error);
        QCOMPARE(error->step, step);
        QCOMPARE(error->code, code);
        QCOMPARE(QFileInfo::exists(path(kind)) ? statOf(path(kind)).st_mode : 0, typeBefore);
        if (kind == "below a file" || kind == "read-only")
            QCOMPARE(contents(path(kind)), QByteArray("game data"));
    }

    // The child process ignores SIGXFSZ and limits its file size, so pwrite
    // fails or writes less; the parent sees the result through the exit code
    // (step + 1, 0 for none) and the error code through its output.
    // A write cut short puts back the bytes it had changed, and the length.
    void writeCutShortBySizeLimitIsAFailure_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("limit");
        QTest::addColumn<SlotStep>("step");
        QTest::addColumn<int>("code");
        QTest::addColumn<QByteArray>("slotAfter");
        QTest::newRow("a limit before the slot refuses the write")
            << 4096 << 1000 << SlotStep::Write << EFBIG << QByteArray(8, '\xEE');
        QTest::newRow("a limit inside the slot cuts the write short, the old bytes go back")
            << 4096 << 1728 << SlotStep::ShortWrite << 0 << QByteArray(8, '\xEE');
        QTest::newRow("a file ending at the slot gets its length back")
            << 1724 << 1728 << SlotStep::ShortWrite << 0 << QByteArray();
        QTest::newRow("a file ending inside the slot gets its bytes and length back")
            << 1726 << 1728 << SlotStep::ShortWrite << 0 << QByteArray(2, '\xEE');
    }
    void writeCutShortBySizeLimitIsAFailure()
    {
        QFETCH(int, size);
        QFETCH(int, limit);
        QFETCH(SlotStep, step);
        QFETCH(int, code);
        QFETCH(QByteArray, slotAfter);
        const QByteArray before(size, '\xEE');
        QVERIFY(create(path(), before));

        const ChildResult child = runWithFileSizeLimit(rlim_t(limit), [&](QByteArray &codeOut) {
            const auto error = savefile::writeSlot(path(), 1, slotBytes(marker));
            if (error)
                codeOut = QByteArray::number(error->code) + (error->mayBeDamaged ? " damaged" : "");
            return error ? 1 + int(error->step) : 0;
        });

        QVERIFY(child.exited);
        QCOMPARE(child.code, 1 + int(step));
        QCOMPARE(child.output, QByteArray::number(code));
        QByteArray expected = before;
        expected.replace(1724, slotAfter.size(), slotAfter);
        QCOMPARE(contents(path()), expected);
    }

    // A write that can be taken back: the bytes it replaced come back with
    // it, read in the same open, zeros past the end of the file.
    void swapGivesTheReplacedBytes()
    {
        QVERIFY(create(path(), QByteArray(1728, '\xEE')));
        const savefile::SlotSwap swap = savefile::swapSlot(path(), 1, slotBytes(marker));
        QVERIFY(!swap.error);
        QCOMPARE(toByteArray(swap.before), QByteArray::fromHex("EEEEEEEE00000000"));
        QCOMPARE(contents(path()), QByteArray(1724, '\xEE') + marker);
    }

    // Taking a write back: only over the bytes that write put there.
    void writesOnlyOverTheExpectedBytes_data()
    {
        QTest::addColumn<QByteArray>("slot"); // null: no file
        QTest::addColumn<int>("size");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<bool>("written");
        QTest::addColumn<SlotStep>("step");
        QTest::addColumn<int>("code");
        QTest::newRow("the slot holds them") << marker << 4096 << marker << true << SlotStep{} << 0;
        QTest::newRow("one byte changed since")
            << marker << 4096 << QByteArray::fromHex("D5C5C8FD41420044") << false
            << SlotStep::Changed << 0;
        QTest::newRow("the file ends inside the slot")
            << marker.left(4) << 1792 << QByteArray::fromHex("D5C5C8FD00000000") << false
            << SlotStep::Changed << 0;
        QTest::newRow("the file is gone, and stays gone")
            << QByteArray() << 0 << marker << false << SlotStep::Open << ENOENT;
    }
    void writesOnlyOverTheExpectedBytes()
    {
        QFETCH(QByteArray, slot);
        QFETCH(int, size);
        QFETCH(QByteArray, expected);
        QFETCH(bool, written);
        QFETCH(SlotStep, step);
        QFETCH(int, code);
        QByteArray before(size, '\xEE');
        before.replace(1788, slot.size(), slot);
        if (!slot.isNull())
            QVERIFY(create(path(), before));

        const auto error = savefile::writeSlotIfHolds(path(), 2, slotBytes(expected),
                                                      slotBytes(QByteArray(8, '\x11')));

        QCOMPARE(bool(error), !written);
        if (error) {
            QCOMPARE(error->step, step);
            QCOMPARE(error->code, code);
        }
        if (slot.isNull()) {
            QVERIFY(!QFileInfo::exists(path()));
            return;
        }
        QByteArray after = before;
        if (written)
            after.replace(1788, 8, QByteArray(8, '\x11'));
        QCOMPARE(contents(path()), after);
    }
};

QTEST_GUILESS_MAIN(tst_SlotFile)
#include "tst_slotfile.moc"

// SPDX-License-Identifier: MIT
#include "savefile/slotfile.h"
#include "support/filecodes.h"
#include "support/fileidentity.h"
#include "support/files.h"
#include "support/savefolder.h"
#include "support/slotbytes.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <memory>

using savefile::SlotStep;

Q_DECLARE_METATYPE(SlotStep)

// Reading and writing a slot, as every platform does it; what only one
// platform has is in tst_slotfile_<platform>.cpp.
class tst_SlotFile : public QObject {
    Q_OBJECT

    std::unique_ptr<SaveFolder> m_folder;
    QString path(const QString &name = QStringLiteral("ShinSangokumusou3.dat")) const
    {
        return m_folder->path(name);
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<SaveFolder>();
        QVERIFY(m_folder->isValid());
    }
    void cleanup() { m_folder.reset(); }

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
        const QDateTime old = QDateTime::fromSecsSinceEpoch(978307200, Qt::UTC);
        {
            QFile file(path());
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
        }

        const savefile::SlotRead read = savefile::readSlot(path(), slot);
        QVERIFY(!read.error);
        QCOMPARE(toByteArray(read.bytes), expected);

        QCOMPARE(contents(path()), before);
        QCOMPARE(QFileInfo(path()).lastModified(), old);
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
        QVERIFY(giveUncommonIdentity(path()));
        QVERIFY(addSecondName(path(), path("backup")));
        const QString identityBefore = fileIdentity(path());
        QVERIFY(!identityBefore.isEmpty());

        QVERIFY(!savefile::writeSlot(path(), slot, slotBytes(marker)));

        QByteArray expected = before.leftJustified(offset, '\0');
        expected.replace(offset, 8, marker);
        QCOMPARE(expected.size(), sizeAfter);
        QCOMPARE(contents(path()), expected);
        QCOMPARE(contents(path("backup")), expected);
        QCOMPARE(fileIdentity(path()), identityBefore);
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

    void refusesWhatCannotBeASaveFile_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<SlotStep>("step");
        QTest::addColumn<int>("code");
        for (const bool write : {false, true}) {
            const char *verb = write ? "writing" : "reading";
            QTest::addRow("%s a folder", verb)
                << write << "folder" << SlotStep::NotRegularFile << expectedCode::folder;
            QTest::addRow("%s in a missing folder", verb)
                << write << "missing folder" << SlotStep::Open << expectedCode::missingFolder;
            QTest::addRow("%s below a file", verb)
                << write << "below a file" << SlotStep::Open << expectedCode::belowAFile;
        }
        QTest::newRow("writing a file without write permission, also as root")
            << true << "read-only" << SlotStep::Open << expectedCode::readOnly;
    }
    void refusesWhatCannotBeASaveFile()
    {
        QFETCH(bool, write);
        QFETCH(QString, kind);
        QFETCH(SlotStep, step);
        QFETCH(int, code);
        QString target = path(kind);
        if (kind == "folder") {
            QVERIFY(QDir().mkdir(target));
        } else if (kind == "missing folder") {
            target += QStringLiteral("/ShinSangokumusou3.dat");
        } else if (kind == "below a file") {
            QVERIFY(create(target, "game data"));
            target += QStringLiteral("/ShinSangokumusou3.dat");
        } else if (kind == "read-only") {
            QVERIFY(create(target, "game data"));
            QVERIFY(makeReadOnly(target));
        }
        const QString identityBefore = fileIdentity(path(kind));

        const std::optional<savefile::SlotError> error =
            write ? savefile::writeSlot(target, 1, slotBytes(marker))
                  : savefile::readSlot(target, 1).error;

        QVERIFY(error);
        QCOMPARE(error->step, step);
        QCOMPARE(error->code, code);
        QCOMPARE(fileIdentity(path(kind)), identityBefore);
        if (kind == "below a file" || kind == "read-only")
            QCOMPARE(contents(path(kind)), QByteArray("game data"));
        // A file refused for writing can still be read.
        if (kind == "read-only")
            QVERIFY(!savefile::readSlot(target, 1).error);
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
            << QByteArray() << 0 << marker << false << SlotStep::Open << expectedCode::missingFile;
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

// SPDX-License-Identifier: MIT
#include "savefile/slotfile.h"
#include "support/files.h"
#include "support/savefolder.h"
#include "support/windowsfiles.h"

#include <QDir>
#include <QTest>

#include <memory>

#include <windows.h>

using savefile::SlotStep;

Q_DECLARE_METATYPE(SlotStep)

namespace {

const savefile::SlotBytes name{0xD5, 0xC5, 0xC8, 0xFD, 0, 0, 0, 0};

} // namespace

// What only Windows has: another program's handle with its sharing modes,
// devices by name, and its wide-character paths.
class tst_SlotFileWin : public QObject {
    Q_OBJECT

    std::unique_ptr<SaveFolder> m_folder;
    QString path(const QString &file = QStringLiteral("ShinSangokumusou3.dat")) const
    {
        return m_folder->path(file);
    }

private slots:
    void init()
    {
        m_folder = std::make_unique<SaveFolder>();
        QVERIFY(m_folder->isValid());
    }
    void cleanup() { m_folder.reset(); }

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

    // A folder, a missing folder and a read-only file are refused as on
    // every platform (tst_slotfile); devices are Windows' own.
    void slotFileRefusals_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<SlotStep>("step");
        QTest::addColumn<int>("code");
        QTest::newRow("the console") << "CON" << SlotStep::NotRegularFile << 0;
        QTest::newRow("the null device") << "\\\\.\\NUL" << SlotStep::NotRegularFile << 0;
    }
    void slotFileRefusals()
    {
        QFETCH(QString, target);
        QFETCH(SlotStep, step);
        QFETCH(int, code);
        const auto error = savefile::writeSlot(target, 1, name);
        QVERIFY(error);
        QCOMPARE(error->step, step);
        QCOMPARE(error->code, code);
        QCOMPARE(savefile::readSlot(target, 1).error->step, step);
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
};

QTEST_GUILESS_MAIN(tst_SlotFileWin)
#include "tst_slotfile_win.moc"

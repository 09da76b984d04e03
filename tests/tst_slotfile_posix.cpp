// SPDX-License-Identifier: MIT
#include "savefile/slotfile.h"
#include "support/files.h"
#include "support/files_posix.h"
#include "support/savefolder.h"
#include "support/sizelimit.h"
#include "support/slotbytes.h"

#include <QFile>
#include <QTest>

#include <memory>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using savefile::SlotStep;

Q_DECLARE_METATYPE(SlotStep)

// What only POSIX systems have: symbolic links, FIFOs and sockets, and
// file-size limits that cut a write short.
class tst_SlotFilePosix : public QObject {
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

    void followsASymlinkToItsTarget()
    {
        QVERIFY(create(path(), QByteArray(2048, '\xEE')));
        QVERIFY(QFile::link(path(), path("link")));
        QVERIFY(!savefile::writeSlot(path("link"), 2, slotBytes(marker)));
        QCOMPARE(contents(path()).mid(1788, 8), marker);
        QVERIFY(S_ISLNK(lstatOf(path("link")).st_mode));
        const savefile::SlotRead read = savefile::readSlot(path("link"), 2);
        QVERIFY(!read.error);
        QCOMPARE(toByteArray(read.bytes), marker);
    }

    void refusesWhatCannotBeASaveFile_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("kind");
        for (const bool write : {false, true}) {
            const char *verb = write ? "writing" : "reading";
            QTest::addRow("%s a FIFO, without blocking", verb) << write << "fifo";
            QTest::addRow("%s a socket", verb) << write << "socket";
        }
    }
    void refusesWhatCannotBeASaveFile()
    {
        QFETCH(bool, write);
        QFETCH(QString, kind);
        const QString target = path(kind);
        const QByteArray name = QFile::encodeName(target);
        int socketFd = -1;
        if (kind == "fifo") {
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
        const mode_t typeBefore = lstatOf(target).st_mode;

        // A blocking open() on a FIFO would wait for ever; end the test instead.
        ::alarm(10);
        const std::optional<savefile::SlotError> error =
            write ? savefile::writeSlot(target, 1, slotBytes(marker))
                  : savefile::readSlot(target, 1).error;
        ::alarm(0);
        if (socketFd >= 0)
            ::close(socketFd);

        QVERIFY(error);
        QCOMPARE(error->step, SlotStep::NotRegularFile);
        QCOMPARE(error->code, 0);
        QCOMPARE(lstatOf(target).st_mode, typeBefore);
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
};

QTEST_GUILESS_MAIN(tst_SlotFilePosix)
#include "tst_slotfile_posix.moc"

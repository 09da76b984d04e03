// SPDX-License-Identifier: MIT
#include "gamefile/patchfile.h"
#include "support/files.h"
#include "support/gamefilesearch.h"

#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

using namespace gamefile;

Q_DECLARE_METATYPE(SearchStep)

// What only POSIX can arrange for a game file: FIFOs and devices, a file
// that changes, or is deleted, while it is searched.
class tst_GameFilePosix : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    // Refused before a byte is read: what waits in the FIFO is still there.
    void notRegularFileRefused_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("a FIFO with bytes waiting") << m_dir.filePath(QStringLiteral("fifo"));
        QTest::newRow("a character device") << QStringLiteral("/dev/null");
    }
    void notRegularFileRefused()
    {
        QFETCH(QString, path);
        const bool fifo = path.endsWith(QStringLiteral("fifo"));
        int fd = -1;
        if (fifo) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NONBLOCK);
            QVERIFY(fd >= 0);
            QCOMPARE(::write(fd, "waiting", 7), ssize_t(7));
        }
        const FoundHits found = searchAll(path, "wait");
        QVERIFY(found.end.error);
        QCOMPARE(found.end.error->step, SearchStep::NotRegularFile);
        const PatchEnd end = patchWhereHolds(path, {0}, "wait", "WAIT");
        QVERIFY(end.error);
        QCOMPARE(end.error->step, PatchStep::NotRegularFile);
        if (fifo) {
            char waiting[16] = {};
            QCOMPARE(::read(fd, waiting, sizeof waiting), ssize_t(7));
            QCOMPARE(QByteArray(waiting), QByteArray("waiting"));
            ::close(fd);
        }
    }

    // The file changes after its first chunk of 64 bytes was read.
    void changedWhileSearched_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<SearchStep>("step");
        QTest::newRow("cut to 100 bytes") << "truncate 100" << SearchStep::Shrunk;
        QTest::newRow("cut to the bytes read") << "truncate 64" << SearchStep::Shrunk;
        QTest::newRow("grown to 1034 bytes") << "truncate 1034" << SearchStep::Grew;
        QTest::newRow("deleted") << "delete" << SearchStep::Vanished;
        QTest::newRow("another file takes its name") << "replace" << SearchStep::Vanished;
    }
    void changedWhileSearched()
    {
        QFETCH(QString, change);
        QFETCH(SearchStep, step);
        const QString path = m_dir.filePath(QStringLiteral("game.bin"));
        const QByteArray name = QFile::encodeName(path);
        QVERIFY(create(path, QByteArray(1024, 'x')));
        bool changed = false;
        const FoundHits found = searchAll(path, "xy", 64, [&] {
            if (std::exchange(changed, true))
                return;
            if (change.startsWith(QStringLiteral("truncate")))
                QCOMPARE(::truncate(name.constData(), change.mid(9).toInt()), 0);
            else if (change == QStringLiteral("delete"))
                QCOMPARE(::unlink(name.constData()), 0);
            else
                QVERIFY(create(path + ".new", QByteArray(1024, 'x'))
                        && ::rename(QFile::encodeName(path + ".new").constData(), name.constData())
                               == 0);
        });
        QVERIFY(changed);
        QVERIFY(found.end.error);
        QCOMPARE(found.end.error->step, step);
        QCOMPARE(found.end.size, qint64(1024));
    }
};

QTEST_GUILESS_MAIN(tst_GameFilePosix)
#include "tst_gamefile_posix.moc"

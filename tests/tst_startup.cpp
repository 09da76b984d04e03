// SPDX-License-Identifier: MIT
#include "app/startup.h"
#include "savefile/slotfile.h"
#include "support/sizelimit.h"

#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

class tst_Startup : public QObject {
    Q_OBJECT

private slots:
    // Under "ulimit -f 1" a write past the limit would end the program with
    // SIGXFSZ; after the program's start-up it fails with EFBIG instead.
    void survivesAFileSizeLimit()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ShinSangokumusou3.dat"));
        const ChildResult child = runWithFileSizeLimit(
            1024,
            [&](QByteArray &) {
                prepareProcess();
                const auto error = savefile::writeSlot(path, 1, savefile::SlotBytes{0xD5, 0xC5});
                return error && error->step == savefile::SlotStep::Write && error->code == EFBIG
                           ? 0
                           : 1;
            },
            false);
        QVERIFY2(child.exited, "the child was ended by a signal");
        QCOMPARE(child.code, 0);
    }
};

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_startup.moc"

// SPDX-License-Identifier: MIT
#include "app/nameonlyiconprovider.h"
#include "app/startup.h"
#include "support/files.h"

#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

std::atomic<int> themeProbes{0};

} // namespace

// Every access() of the process passes through here, Qt's own included:
// an icon theme lookup probes the theme's folders with it, one call per
// folder and size.
extern "C" int access(const char *path, int mode)
{
    if (std::strstr(path, "/icons/"))
        ++themeProbes;
    return faccessat(AT_FDCWD, path, mode, 0);
}

// The choosers ask for the icon of every file they list, on the window's
// thread: the theme is searched once per icon name, not once per file.
class tst_FileIcons : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        prepareApplication();
        // The count sees the theme's lookups at all.
        const int before = themeProbes;
        QIcon::fromTheme(QStringLiteral("vemdra-no-such-icon")).availableSizes();
        QVERIFY(themeProbes > before);
    }

    void oneThemeLookupPerIconName_data()
    {
        QTest::addColumn<QStringList>("suffixes"); // taken in turn, file by file
        QTest::newRow("text files") << QStringList{".txt"};
        QTest::newRow("pictures") << QStringList{".png"};
        QTest::newRow("no suffix") << QStringList{""};
        QTest::newRow("unknown suffix") << QStringList{".vemdra-unknown"};
        QTest::newRow("three kinds mixed") << QStringList{".dat", ".zip", ".txt"};
    }
    void oneThemeLookupPerIconName()
    {
        QFETCH(QStringList, suffixes);
        QTemporaryDir dir;
        QList<QFileInfo> files;
        for (int i = 0; i < 300; ++i) {
            const QString path =
                dir.filePath(QStringLiteral("结果%1").arg(i) + suffixes[i % suffixes.size()]);
            QVERIFY(create(path, ""));
            files << QFileInfo(path);
        }
        const NameOnlyIconProvider icons;
        // An icon is looked up when it is drawn.
        for (qsizetype i = 0; i < suffixes.size(); ++i)
            icons.icon(files[i]).pixmap(16);
        const int afterFirstOfEachKind = themeProbes;
        for (const QFileInfo &file : files)
            icons.icon(file).pixmap(16);
        QCOMPARE(themeProbes - afterFirstOfEachKind, 0);
    }
};

QTEST_MAIN(tst_FileIcons)
#include "tst_fileicons.moc"

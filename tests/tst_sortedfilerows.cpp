// SPDX-License-Identifier: MIT
#include "app/nameonlyiconprovider.h"
#include "app/sortedfilerows.h"
#include "app/startup.h"
#include "support/files.h"

#include <QCollator>
#include <QDir>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTest>

// The choosers' rows as a reader expects them, kept right while Qt's file
// model adds and removes files underneath.
class tst_SortedFileRows : public QObject {
    Q_OBJECT

    struct Folder {
        QTemporaryDir dir;
        NameOnlyIconProvider icons; // Qt's own reads files, a FIFO for ever
        QFileSystemModel files;
        SortedFileRows rows;
        QPersistentModelIndex root; // the folder may move among its neighbours

        Folder()
        {
            files.setIconProvider(&icons);
            rows.setSourceModel(&files);
        }
        void open(int count)
        {
            root = rows.mapFromSource(files.setRootPath(dir.path()));
            QTRY_COMPARE(rows.rowCount(root), count);
        }
        // The names shown, each row checked to lead to its file and back.
        QStringList names() const
        {
            QStringList names;
            const QModelIndex folder = rows.mapToSource(root);
            if (rows.rowCount(root) != files.rowCount(folder))
                return {"<row counts differ>"};
            for (int row = 0; row < rows.rowCount(root); ++row) {
                const QModelIndex shown = rows.index(row, 0, root);
                const QModelIndex file = rows.mapToSource(shown);
                if (file.parent() != folder || rows.mapFromSource(file) != shown
                    || rows.parent(shown) != root)
                    return {"<row " + QString::number(row) + " maps wrong>"};
                names << shown.data().toString();
            }
            return names;
        }
    };

    // Names in the order of the collator's own comparisons, numbers as
    // numbers, as Qt's file model would sort them. Windows' order is its own.
    static QStringList inCollatorOrder(QStringList names)
    {
        QCollator collator;
        collator.setNumericMode(true);
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        std::sort(names.begin(), names.end(),
                  [&](const QString &a, const QString &b) { return collator.compare(a, b) < 0; });
        return names;
    }

    // A folder, then files by size in bytes.
    static bool fill(const QTemporaryDir &dir)
    {
        const QList<std::pair<QString, int>> files{{"结果1.txt", 5},   {"结果2.txt", 3},
                                                   {"结果10.txt", 3},  {"结果20.txt", 1},
                                                   {"结果100.txt", 0}, {"结果3.txt", 9}};
        bool made = QDir(dir.path()).mkdir(QStringLiteral("子文件夹"));
        for (const auto &[name, size] : files)
            made = made && create(dir.filePath(name), QByteArray(size, 'x'));
        return made;
    }

private slots:
    void initTestCase() { prepareApplication(); }

    void order_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<Qt::SortOrder>("order");
        QTest::addColumn<QStringList>("names");
        // The folder first.
        const QStringList byName = QStringList{"子文件夹"}
                                   + inCollatorOrder({"结果1.txt", "结果2.txt", "结果3.txt",
                                                      "结果10.txt", "结果20.txt", "结果100.txt"});
        QStringList backwards = byName;
        std::reverse(backwards.begin(), backwards.end());
        QTest::newRow("name") << 0 << Qt::AscendingOrder << byName;
        QTest::newRow("name, descending") << 0 << Qt::DescendingOrder << backwards;
        QTest::newRow("size, ties by name") << 1 << Qt::AscendingOrder
                                            << QStringList{"子文件夹", "结果100.txt", "结果20.txt"}
                                                   + inCollatorOrder({"结果2.txt", "结果10.txt"})
                                                   + QStringList{"结果1.txt", "结果3.txt"};
    }
    void order()
    {
        QFETCH(int, column);
        QFETCH(Qt::SortOrder, order);
        QFETCH(QStringList, names);
        Folder folder;
        QVERIFY(fill(folder.dir));
        folder.open(names.size());
        folder.rows.sort(column, order);
        QCOMPARE(folder.names(), names);
    }

    // Files that come and go while the folder is shown take their places.
    void filesComingAndGoing()
    {
        Folder folder;
        QVERIFY(fill(folder.dir));
        folder.open(7);
        const QPersistentModelIndex chosen = folder.rows.index(
            int(folder.names().indexOf(QStringLiteral("结果10.txt"))), 0, folder.root);
        QCOMPARE(chosen.data().toString(), QStringLiteral("结果10.txt"));

        QVERIFY(create(folder.dir.filePath("结果4.txt"), ""));
        QVERIFY(create(folder.dir.filePath("结果0.txt"), ""));
        QVERIFY(QFile::remove(folder.dir.filePath("结果20.txt")));
        QVERIFY(QDir(folder.dir.path()).rmdir(QStringLiteral("子文件夹")));
        const QStringList names =
            inCollatorOrder({"结果0.txt", "结果1.txt", "结果2.txt", "结果3.txt", "结果4.txt",
                             "结果10.txt", "结果100.txt"});
        QTRY_COMPARE(folder.names(), names);
        QCOMPARE(chosen.data().toString(), QStringLiteral("结果10.txt"));
        QCOMPARE(folder.files.filePath(folder.rows.mapToSource(chosen)),
                 folder.dir.filePath("结果10.txt"));
    }

    // Tens of thousands of files arrive at once and are shown in slices:
    // in the end every one is there, in its place.
    void bigFolderShownWhole()
    {
        Folder folder;
        QStringList names;
        for (int i = 1; i <= 12000; ++i) {
            names << QStringLiteral("结果%1.txt").arg(i);
            QVERIFY(create(folder.dir.filePath(names.back()), ""));
        }
        folder.open(names.size());
        QCOMPARE(folder.names(), inCollatorOrder(names));
    }
};

QTEST_MAIN(tst_SortedFileRows)
#include "tst_sortedfilerows.moc"

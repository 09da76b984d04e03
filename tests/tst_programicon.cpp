// SPDX-License-Identifier: MIT
#include "app/programicon.h"

#include <QFile>
#include <QImageReader>
#include <QTest>

// The image format plugins this process has loaded, from the kernel's list
// of its mappings.
static QStringList loadedImagePlugins()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {QStringLiteral("<no /proc/self/maps>")};
    QStringList plugins;
    for (const QByteArray &line : maps.readAll().split('\n')) {
        if (line.contains("/imageformats/"))
            plugins.append(QString::fromLocal8Bit(line.mid(line.lastIndexOf(' ') + 1)));
    }
    plugins.removeDuplicates();
    return plugins;
}

class tst_ProgramIcon : public QObject {
    Q_OBJECT

private slots:
    // First, before anything else has read a picture in this process.
    void readsItsPicturesWithoutImagePlugins()
    {
        QVERIFY(!programIcon().isNull());
        const QStringList loaded = loadedImagePlugins();
        QVERIFY2(loaded.isEmpty(), qPrintable(loaded.join(u' ')));
    }

    void everySizeIsTheDrawingOfThatSize_data()
    {
        QTest::addColumn<int>("size");
        for (int size : {16, 24, 32, 48})
            QTest::addRow("%d px", size) << size;
    }
    void everySizeIsTheDrawingOfThatSize()
    {
        QFETCH(int, size);
        const QIcon icon = programIcon();
        // Asked for twice, as the application and a window do.
        const QPixmap shown = programIcon().pixmap(QSize(size, size));
        QCOMPARE(shown.size(), QSize(size, size));
        QCOMPARE(icon.pixmap(QSize(size, size)).toImage(), shown.toImage());

        QImage drawn(QStringLiteral(":/icons/vemdra-%1.png").arg(size));
        QVERIFY(!drawn.isNull());
        // As the screen holds it, with the colours premultiplied.
        QCOMPARE(shown.toImage(), QPixmap::fromImage(drawn).toImage());
    }
};

QTEST_MAIN(tst_ProgramIcon)
#include "tst_programicon.moc"

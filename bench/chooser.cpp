// SPDX-License-Identifier: MIT
// vemdra-chooser-bench: how long the export chooser takes to list a big
// folder, and how long the window stops answering meanwhile, next to Qt's
// own chooser (DontUseNativeDialog, no icon provider, no proxy model).
//
//   vemdra-chooser-bench [FILES...]
//
// For each size (default 2000 and 100000) it fills a temporary folder with
// that many .txt files and runs both choosers, each in a fresh process, in
// list and in detail view. One line per run:
//   chooser view files opened_s listed_s longest_stall_s
// counted from the call that makes the chooser: opened_s until the window
// first answers, listed_s until every file is in its list and drawn;
// longest_stall_s is the longest time the window did not answer after
// opening, until a second after the files were listed.
//
// "--remove [FILES]" (default 60000) instead lists FILES files in detail
// view, then deletes every other one while the chooser shows them: one
// line per chooser, listed_s until the half left is listed, longest_stall_s
// the longest stop from the first deletion.
//
// "--one CHOOSER VIEW FOLDER FILES" runs one measurement (used by the
// runners above; VIEW "remove" is the detail view with deletions).

#include "app/qtprompts.h"
#include "app/startup.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <thread>

namespace {

QString fileName(const QString &folder, int i)
{
    return folder + QStringLiteral("/结果%1.txt").arg(i, 6, 10, QLatin1Char('0'));
}

std::unique_ptr<QFileDialog> makeChooser(QtPrompts &prompts, const QString &chooser,
                                         const QString &folder)
{
    if (chooser == QLatin1String("vemdra"))
        return prompts.fileDialog(nullptr, QFileDialog::AcceptSave, QStringLiteral("导出结果"),
                                  QStringLiteral("文本文件(*.txt)|*.txt"), folder + "/导出结果");
    auto dialog =
        std::make_unique<QFileDialog>(nullptr, QStringLiteral("导出结果"), folder + "/导出结果",
                                      QStringLiteral("文本文件(*.txt)"));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    return dialog;
}

int runOne(int argc, char *argv[], const QString &chooser, const QString &view,
           const QString &folder, int files)
{
    QApplication app(argc, argv);
    prepareApplication();
    QtPrompts prompts;

    QElapsedTimer clock;
    qint64 openedAt = -1;
    qint64 lastTick = 0;
    qint64 longestStall = 0;
    qint64 listedAt = -1;
    QTimer heartbeat;
    heartbeat.setInterval(10);

    clock.start();
    const auto dialog = makeChooser(prompts, chooser, folder);
    const bool detail = view != QLatin1String("list");
    dialog->setViewMode(detail ? QFileDialog::Detail : QFileDialog::List);
    dialog->show();
    const QString viewName = detail ? QStringLiteral("treeView") : QStringLiteral("listView");
    auto *list = dialog->findChild<QAbstractItemView *>(viewName);

    const bool removing = view == QLatin1String("remove");
    std::thread remover;
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        if (openedAt < 0)
            openedAt = now;
        else
            longestStall = std::max(longestStall, now - lastTick);
        lastTick = now;
        const int rows = list->model()->rowCount(list->rootIndex());
        if (removing && !remover.joinable() && rows >= files) {
            // Timed from here: the listing is not what is measured.
            clock.restart();
            lastTick = 0;
            longestStall = 0;
            remover = std::thread([&] {
                for (int i = 0; i < files; i += 2)
                    QFile::remove(fileName(folder, i));
            });
        }
        if (listedAt < 0 && (removing ? remover.joinable() && rows <= files / 2 : rows >= files)) {
            list->viewport()->repaint();
            listedAt = clock.elapsed();
        }
        if (listedAt >= 0 && now > listedAt + 1000)
            app.quit();
    });
    heartbeat.start();
    app.exec();
    if (remover.joinable())
        remover.join();
    std::printf("%.3f %.3f %.3f\n", openedAt / 1000.0, listedAt / 1000.0, longestStall / 1000.0);
    return 0;
}

int runAll(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const bool removing = argc > 1 && QByteArrayView(argv[1]) == "--remove";
    QList<int> sizes;
    for (int i = removing ? 2 : 1; i < argc; ++i)
        sizes << QByteArray(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = removing ? QList<int>{60000} : QList<int>{2000, 100000};
    const QStringList views = removing ? QStringList{"remove"} : QStringList{"list", "detail"};
    const QString self = QCoreApplication::applicationFilePath();
    std::printf("chooser view files opened_s listed_s longest_stall_s\n");
    for (const int files : sizes) {
        QTemporaryDir dir;
        for (int i = 0; i < files; ++i) {
            QFile file(fileName(dir.path(), i));
            if (!file.open(QIODevice::WriteOnly))
                return 1;
        }
        for (const QString &view : views) {
            for (const QString chooser : {"qt", "vemdra"}) {
                // The files the last run deleted.
                for (int i = 0; removing && i < files; i += 2) {
                    QFile file(fileName(dir.path(), i));
                    if (!file.open(QIODevice::WriteOnly))
                        return 1;
                }
                QProcess child;
                child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
                child.start(self, {"--one", chooser, view, dir.path(), QString::number(files)});
                child.waitForFinished(-1);
                std::printf("%-7s %-6s %6d %s", qPrintable(chooser), qPrintable(view), files,
                            child.readAllStandardOutput().constData());
                std::fflush(stdout);
            }
        }
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 6 && QByteArrayView(argv[1]) == "--one")
        return runOne(argc, argv, QString::fromUtf8(argv[2]), QString::fromUtf8(argv[3]),
                      QString::fromUtf8(argv[4]), QByteArray(argv[5]).toInt());
    return runAll(argc, argv);
}

// SPDX-License-Identifier: MIT
// vemdra-find-window-bench: the find window's longest stall while it
// searches a file, as the user feels it.
//
//     vemdra-find-window-bench FILE CODES [RUNS]
//
// CODES is the query as a code line ("D5C5 C8FD"). A timer asks the
// window's thread for a turn every 5 ms; the longest wait beyond that,
// over the whole search with its hits arriving in the list, is the stall.

#include "app/frmfind.h"
#include "app/prompts.h"
#include "app/resultlist.h"
#include "app/startup.h"
#include "convert/cp936.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

// The window's dialogs never show: a message is printed.
class PrintedPrompts : public Prompts {
public:
    QString openFileName(QWidget *, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &,
                         QString *) override
    {
        return {};
    }
    void message(QWidget *, const QString &, const QString &text) override
    {
        std::printf("message: %s\n", qPrintable(text));
    }
    bool question(QWidget *, const QString &, const QString &) override { return false; }
    QString text(QWidget *, const QString &, const QString &) override { return {}; }
};

} // namespace

int main(int argc, char *argv[])
{
    prepareProcess();
    QApplication app(argc, argv);
    prepareApplication();
    const QStringList arguments = app.arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: vemdra-find-window-bench FILE CODES [RUNS]\n");
        return 2;
    }
    const int runs = arguments.size() > 3 ? arguments[3].toInt() : 5;
    convert::Cp936 codec;
    PrintedPrompts prompts;
    frmFind window(prompts, codec, [](const ResultList &, QWidget *) {});
    window.showWindow(arguments[1]);
    window.findChild<QRadioButton *>(QStringLiteral("optCodes"))->setChecked(true);
    window.findChild<QLineEdit *>(QStringLiteral("txtFind"))->setText(arguments[2]);
    auto *find = window.findChild<QPushButton *>(QStringLiteral("cmdFind"));
    const auto *hits = window.findChild<ResultList *>(QStringLiteral("lstHits"));

    for (int run = 0; run < runs; ++run) {
        QElapsedTimer total;
        QElapsedTimer sinceTick;
        qint64 stall = 0;
        QTimer ticks;
        ticks.setInterval(5);
        QObject::connect(&ticks, &QTimer::timeout,
                         [&] { stall = std::max(stall, sinceTick.restart() - 5); });
        total.start();
        sinceTick.start();
        ticks.start();
        find->click();
        while (!find->isEnabled())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        ticks.stop();
        std::printf("run %d: %.3f s, %lld hits, longest stall %lld ms\n", run + 1,
                    double(total.nsecsElapsed()) / 1e9, qlonglong(hits->count()), qlonglong(stall));
    }
    return 0;
}

// SPDX-License-Identifier: MIT
#include "firstclick.h"

#include "app/frmmain.h"
#include "app/qtprompts.h"
#include "app/resultlist.h"
#include "app/startup.h"
#include "convert/cp936.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>

#include <unistd.h>

namespace {

// Lets the event loop run for `ms` milliseconds.
void idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Notes when a file chooser has first been painted, then cancels it.
class ChooserWatch : public QObject {
public:
    QElapsedTimer *clock = nullptr;
    double paintedAt = -1;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && paintedAt < 0 && watched->isWidgetType()) {
            auto *chooser = qobject_cast<QFileDialog *>(static_cast<QWidget *>(watched)->window());
            if (chooser) {
                paintedAt = 0; // once
                // Queued, so that the whole window is painted and flushed first.
                QTimer::singleShot(0, chooser, [this, chooser] {
                    paintedAt = double(clock->nsecsElapsed()) / 1e6;
                    chooser->reject();
                });
            }
        }
        return false;
    }
};

} // namespace

double firstClickMilliseconds(int argc, char *argv[], const QString &button)
{
    // A chooser that hangs must not hold up the whole benchmark.
    alarm(120);

    // As main() starts the program.
    prepareProcess();
    QApplication app(argc, argv);
    prepareApplication();
    QtPrompts prompts;
    convert::Cp936 codec;
    frmMain window(prompts, codec);
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    const auto find = [&](const char *name) {
        return window.findChild<QWidget *>(QString::fromLatin1(name));
    };
    static_cast<QLineEdit *>(find("Text1"))->setText(QStringLiteral("张三 ABC"));
    if (button == QLatin1String("export"))
        static_cast<QPushButton *>(find("Command3"))->click();
    if (button == QLatin1String("choose"))
        static_cast<QTabWidget *>(find("SSTab1"))->setCurrentWidget(find("saveFilePage"));
    // A user's click comes well after the window appeared.
    idle(300);

    QElapsedTimer clock;
    ChooserWatch watch;
    watch.clock = &clock;
    app.installEventFilter(&watch);
    if (button == QLatin1String("convert")) {
        clock.start();
        static_cast<QPushButton *>(find("Command3"))->click();
        QCoreApplication::processEvents(); // the list is painted
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        return static_cast<ResultList *>(find("List1"))->count() == 6 ? ms : -1;
    }
    const char *name = button == QLatin1String("export") ? "Command5" : "Command7";
    clock.start();
    static_cast<QPushButton *>(find(name))->click(); // returns once the chooser is cancelled
    return watch.paintedAt;
}

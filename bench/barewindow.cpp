// SPDX-License-Identifier: MIT
// vemdra-bare-window: the baseline of vemdra-startup-bench, the least a Qt
// Widgets program does to show a window: one of Vemdra's size (419 x 393
// and the menu bar) with one Chinese label.

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("真·三国无双3特别版"));
    window.setFixedSize(419, 416);
    window.show();
    return app.exec();
}

// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include <memory>

namespace Ui {
class frmAbout;
}

// The about window: the tool's name and version, the game edition it
// serves and how to reach its makers, closed with "确定".
//
// frmMain keeps one frmAbout for the whole run. Closing the window unloads
// its controls; the next showWindow() loads them afresh from the form.
// It has no parent: a window of its own, which keeps the program running
// when the main window is closed before it.
class frmAbout : public QWidget {
    Q_OBJECT

public:
    frmAbout();
    ~frmAbout() override;

    // Loads the window if it is closed, shows it without blocking and
    // brings it to the front.
    void showWindow();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void load();
    void unload();
    void Command1_Click();

    std::unique_ptr<Ui::frmAbout> ui;
};

// SPDX-License-Identifier: MIT
#include "app/frmabout.h"
#include "ui_frmabout.h"

#include "app/programicon.h"

#include <QCloseEvent>

frmAbout::frmAbout()
{
    setWindowIcon(programIcon());
}

frmAbout::~frmAbout() = default;

void frmAbout::showWindow()
{
    if (!ui)
        load();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void frmAbout::load()
{
    // After a quick close and reopen the last controls may still be
    // waiting for their deletion.
    qDeleteAll(findChildren<QWidget *>(Qt::FindDirectChildrenOnly));

    ui = std::make_unique<Ui::frmAbout>();
    ui->setupUi(this);
    connect(ui->Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);

    // 确定 is the only control that takes the focus.
    ui->Command1->setFocus();
}

void frmAbout::unload()
{
    ui.reset();
    // When 确定 closes the window its click is still being delivered, so
    // the controls go once control is back in the event loop.
    for (QWidget *control : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        control->deleteLater();
}

void frmAbout::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    unload();
}

void frmAbout::Command1_Click()
{
    close();
}

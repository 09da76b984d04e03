#include "app/qtprompts.h"

#include <QFileDialog>
#include <QMessageBox>

QString QtPrompts::openFileName(QWidget *parent, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

QString QtPrompts::saveFileName(QWidget *parent, const QString &title, const QString &filter,
                                const QString &proposedPath)
{
    return QFileDialog::getSaveFileName(parent, title, proposedPath, filter);
}

void QtPrompts::message(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

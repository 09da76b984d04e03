// SPDX-License-Identifier: MIT
#include "app/chooserdialog.h"

#include "app/messages.h"
#include "app/qtprompts.h"
#include "app/typedfilename.h"

#include <QLineEdit>
#include <QListView>
#include <QMessageBox>

void ChooserDialog::accept()
{
    const auto *typed = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    const QString name = typed ? typed->text() : QString();
    // A file clicked in the list is taken by its row, whatever its name
    // holds: then the name shown is that of the one file chosen. Only a
    // name typed is read, and may be misread.
    const auto *list = findChild<QListView *>(QStringLiteral("listView"));
    const QModelIndexList rows =
        list && list->selectionModel() ? list->selectionModel()->selectedRows() : QModelIndexList();
    const bool clicked = rows.size() == 1 && rows[0].data().toString() == name;
    const QString problem = clicked ? QString() : typedFileNameProblem(name);
    if (!problem.isEmpty()) {
        QtPrompts::messageBox(this, messages::errorTitle.toString(), problem)->exec();
        return;
    }
    QFileDialog::accept();
}

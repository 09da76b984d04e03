// SPDX-License-Identifier: MIT
#include "app/chooserdialog.h"

#include "app/messages.h"
#include "app/qtprompts.h"
#include "app/typedfilename.h"

#include <QLineEdit>
#include <QMessageBox>

void ChooserDialog::accept()
{
    const auto *typed = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    const QString problem = typed ? typedFileNameProblem(typed->text()) : QString();
    if (!problem.isEmpty()) {
        QtPrompts::messageBox(this, messages::errorTitle.toString(), problem)->exec();
        return;
    }
    QFileDialog::accept();
}

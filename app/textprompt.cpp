// SPDX-License-Identifier: MIT
#include "app/textprompt.h"

#include "app/messages.h"

std::unique_ptr<QInputDialog> textDialog(QWidget *parent, const QString &title,
                                         const QString &label)
{
    auto dialog = std::make_unique<QInputDialog>(parent);
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setWindowTitle(title);
    dialog->setLabelText(label);
    dialog->setOkButtonText(messages::textDialogOk.toString());
    dialog->setCancelButtonText(messages::textDialogCancel.toString());
    return dialog;
}

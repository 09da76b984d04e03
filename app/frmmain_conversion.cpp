#include "app/frmmain.h"
#include "ui_frmmain.h"

#include "app/messages.h"
#include "convert/charcodes.h"

void frmMain::Command3_Click()
{
    const QString text = ui->Text1->text();
    if (text.isEmpty()) {
        showError(messages::noTextToConvert.toString());
        return;
    }
    ui->List1->setLines(convert::CharsToCodes(text, m_codec));
}

void frmMain::Command4_Click()
{
}

void frmMain::Command5_Click()
{
}

void frmMain::Command6_Click()
{
}

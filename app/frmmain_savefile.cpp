#include "app/frmmain.h"
#include "ui_frmmain.h"

#include "app/messages.h"
#include "app/prompts.h"
#include "savefile/namecells.h"
#include "savefile/slotfile.h"

namespace {

QString saveFileErrorText(const QString &path, const savefile::SlotError &error)
{
    QStringView sentence;
    switch (error.failure) {
    case savefile::Failure::NotRegularFile: sentence = messages::saveFileNotRegular; break;
    case savefile::Failure::Open: sentence = messages::saveFileOpenFailed; break;
    case savefile::Failure::Read: sentence = messages::saveFileReadFailed; break;
    case savefile::Failure::Write: sentence = messages::saveFileWriteFailed; break;
    case savefile::Failure::ShortWrite: sentence = messages::saveFileShortWrite; break;
    case savefile::Failure::Flush: sentence = messages::saveFileFlushFailed; break;
    case savefile::Failure::Close: sentence = messages::saveFileCloseFailed; break;
    }
    QString text = sentence.toString().arg(path);
    if (!error.reason.isEmpty())
        text += u'\n' + error.reason;
    return text;
}

} // namespace

void frmMain::ReadNameSlot(const QString &path, int slot)
{
    const savefile::SlotRead read = savefile::readSlot(path, slot);
    if (read.error) {
        showError(saveFileErrorText(path, *read.error));
        return;
    }
    const savefile::CellNames names = savefile::decodeNameCells(read.bytes, m_codec);
    ui->Text4->setText(names[0]);
    ui->Text5->setText(names[1]);
    ui->Text6->setText(names[2]);
    ui->Text7->setText(names[3]);
}

void frmMain::WriteNameSlot(const QString &path, int slot)
{
    const savefile::SlotBytes bytes = savefile::slotBytesFromHexBoxes(
        {ui->Text8->text(), ui->Text9->text(), ui->Text10->text(), ui->Text11->text()});
    if (const auto error = savefile::writeSlot(path, slot, bytes)) {
        showError(saveFileErrorText(path, *error));
        return;
    }
    m_prompts.message(this, messages::noticeTitle.toString(), messages::saveFileWritten.toString());
}

void frmMain::Command7_Click()
{
    // The chooser is made afresh for every use, so it always opens with an
    // empty file name and a cancel always gives "".
    const QString path = m_prompts.openFileName(this, m_saveFileFilter);
    if (path.isEmpty())
        return;
    ui->Text3->setText(path);
    ReadNameSlot(path, 1);
}

void frmMain::Option1_Click()
{
    if (!ui->Text3->text().isEmpty())
        ReadNameSlot(ui->Text3->text(), 1);
}

void frmMain::Option2_Click()
{
    if (!ui->Text3->text().isEmpty())
        ReadNameSlot(ui->Text3->text(), 2);
}

void frmMain::Option3_Click()
{
    if (!ui->Text3->text().isEmpty())
        ReadNameSlot(ui->Text3->text(), 3);
}

void frmMain::Option4_Click()
{
    if (!ui->Text3->text().isEmpty())
        ReadNameSlot(ui->Text3->text(), 4);
}

void frmMain::Command8_Click()
{
    const QString path = ui->Text3->text();
    if (ui->Text8->text().isEmpty() || path.isEmpty())
        return;
    const QRadioButton *const options[] = {ui->Option1, ui->Option2, ui->Option3, ui->Option4};
    for (int slot = 1; slot <= savefile::slotCount; ++slot) {
        if (options[slot - 1]->isChecked())
            WriteNameSlot(path, slot);
    }
}

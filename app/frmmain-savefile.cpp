// SPDX-License-Identifier: MIT
#include "app/frmmain.h"
#include "ui_frmmain.h"

#include "app/messages.h"
#include "app/prompts.h"
#include "savefile/namecells.h"
#include "savefile/slotfile.h"

#include <QDir>

namespace {

QStringView saveFileErrorSentence(savefile::SlotStep step)
{
    switch (step) {
    case savefile::SlotStep::NotRegularFile: return messages::saveFileNotRegular;
    case savefile::SlotStep::Open: return messages::saveFileOpenFailed;
    case savefile::SlotStep::Read: return messages::saveFileReadFailed;
    case savefile::SlotStep::Write: return messages::saveFileWriteFailed;
    case savefile::SlotStep::ShortWrite: return messages::saveFileShortWrite;
    case savefile::SlotStep::Flush: return messages::saveFileFlushFailed;
    case savefile::SlotStep::Close: return messages::saveFileCloseFailed;
    case savefile::SlotStep::Changed: return messages::saveFileChanged;
    }
    return messages::saveFileOpenFailed;
}

} // namespace

void frmMain::ReadNameSlot(const QString &path, int slot)
{
    const savefile::SlotRead read = savefile::readSlot(path, slot);
    if (read.error) {
        // The boxes never show names, or bytes, that are not in the file
        // Text3 names.
        for (QLineEdit *box : {ui->Text4, ui->Text5, ui->Text6, ui->Text7}) {
            box->clear();
            box->setToolTip(QString());
        }
        showFileError(saveFileErrorSentence(read.error->step), path, read.error->code);
        return;
    }
    const savefile::CellNames names = savefile::decodeNameCells(read.bytes, m_codec);
    ui->Text4->setText(names[0]);
    ui->Text5->setText(names[1]);
    ui->Text6->setText(names[2]);
    ui->Text7->setText(names[3]);
    showCellBytes(read.bytes);
}

void frmMain::WriteNameSlot(const QString &path, int slot)
{
    const savefile::SlotBytes bytes = savefile::slotBytesFromHexBoxes(
        {ui->Text8->text(), ui->Text9->text(), ui->Text10->text(), ui->Text11->text()});
    // The old bytes are read in the same open, so that the write can be
    // taken back.
    const savefile::SlotSwap swap = savefile::swapSlot(path, slot, bytes);
    if (swap.error) {
        showFileError(saveFileErrorSentence(swap.error->step), path, swap.error->code);
        return;
    }
    m_slotWrites.push_back({path, slot, swap.before, bytes});
    updateRenamingActions();
    m_prompts.message(this, messages::noticeTitle.toString(), messages::saveFileWritten.toString());
}

// Newest first. A write is taken back only while the slot still holds what
// it wrote; once someone else has changed the slot it never can be, and is
// forgotten.
void frmMain::takeBackLastWrite()
{
    if (m_slotWrites.empty())
        return;
    const SlotWrite last = m_slotWrites.back();
    const auto error = savefile::writeSlotIfHolds(last.path, last.slot, last.written, last.before);
    if (error && error->step == savefile::SlotStep::Changed) {
        m_slotWrites.pop_back();
        updateRenamingActions();
        showError(messages::takeBackChanged.toString().arg(QDir::toNativeSeparators(last.path),
                                                           QString::number(last.slot)));
        return;
    }
    if (error) {
        showFileError(saveFileErrorSentence(error->step), last.path, error->code);
        return;
    }
    m_slotWrites.pop_back();
    updateRenamingActions();
    // The page shows what was put back: that file, that slot.
    ui->Text3->setText(last.path);
    QRadioButton *const options[] = {ui->Option1, ui->Option2, ui->Option3, ui->Option4};
    options[last.slot - 1]->setChecked(true);
    ReadNameSlot(last.path, last.slot);
}

void frmMain::Command7_Click()
{
    // The chooser is made afresh for every use, so it always opens with an
    // empty file name and a cancel always gives "".
    const QString path = m_prompts.openFileName(this, m_saveFileFilter);
    if (path.isEmpty())
        return;
    useSaveFile(path);
}

// A file chosen with 设置 or dropped onto the page.
void frmMain::useSaveFile(const QString &path)
{
    // As the system writes paths: with backslashes on Windows.
    const QString shown = QDir::toNativeSeparators(path);
    ui->Text3->setText(shown);
    ReadNameSlot(shown, 1);
}

void frmMain::Option1_Click()
{
    showSlotOfChosenFile(1);
}

void frmMain::Option2_Click()
{
    showSlotOfChosenFile(2);
}

void frmMain::Option3_Click()
{
    showSlotOfChosenFile(3);
}

void frmMain::Option4_Click()
{
    showSlotOfChosenFile(4);
}

void frmMain::showSlotOfChosenFile(int slot)
{
    // Before a file is chosen an option only changes the selection.
    const QString path = ui->Text3->text();
    if (!path.isEmpty())
        ReadNameSlot(path, slot);
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

// SPDX-License-Identifier: MIT
#include "app/savefilepage.h"
#include "ui_frmmain.h"

#include "app/messages.h"
#include "savefile/namecells.h"
#include "savefile/nametext.h"

#include <QStringList>

namespace {

// Red text, and a tooltip that says why, for a box whose text the write
// does not take whole. The text itself stays as typed.
void flagBox(QLineEdit *box, const savefile::BoxFlaws &flaws)
{
    QStringList reasons;
    if (flaws.nonHexDigit)
        reasons << messages::boxNonHexDigit.toString();
    if (flaws.extraUnits)
        reasons << messages::boxExtraUnits.toString();
    box->setToolTip(reasons.join(u'\n'));
    QPalette palette; // no role set: the box follows the window again
    if (flaws.any())
        palette.setColor(QPalette::Text, QColor(0xFF, 0x00, 0x00));
    box->setPalette(palette);
}

} // namespace

void SaveFilePage::updateWritePreview()
{
    QLineEdit *const boxes[] = {ui->Text8, ui->Text9, ui->Text10, ui->Text11};
    savefile::HexBoxes texts;
    for (int cell = 0; cell < savefile::cellCount; ++cell) {
        texts[cell] = boxes[cell]->text();
        flagBox(boxes[cell], savefile::hexBoxFlaws(texts[cell]));
    }
    // Command8_Click writes nothing without a file or with the first box
    // empty.
    if (ui->Text3->text().isEmpty()) {
        ui->LabelPreview->setText(messages::writePreviewNoFile.toString());
        return;
    }
    if (texts[0].isEmpty()) {
        ui->LabelPreview->setText(messages::writePreviewNothing.toString());
        return;
    }
    // The bytes a write puts into the selected slot, and the name the game
    // reads from them.
    const savefile::SlotBytes bytes = savefile::slotBytesFromHexBoxes(texts);
    QStringList cells;
    for (int cell = 0; cell < savefile::cellCount; ++cell)
        cells << savefile::cellHex(bytes, cell);
    ui->LabelPreview->setText(messages::writePreviewSlot.toString().arg(
        QString::number(selectedSlot()), cells.join(u' '), savefile::slotName(bytes, m_codec)));
}

void SaveFilePage::showCellBytes(const savefile::SlotBytes &bytes)
{
    // A cell that decodes to nothing or to a replacement still shows its bytes.
    QLineEdit *const names[] = {ui->Text4, ui->Text5, ui->Text6, ui->Text7};
    for (int cell = 0; cell < savefile::cellCount; ++cell)
        names[cell]->setToolTip(savefile::cellHex(bytes, cell, u" "));
}

// SPDX-License-Identifier: MIT
#include "app/savefilepage.h"
#include "ui_frmmain.h"

#include "app/messages.h"
#include "app/messagetext.h"
#include "app/prompts.h"
#include "savefile/namecells.h"
#include "savefile/nametext.h"
#include "savefile/slotfile.h"

#include <QDir>
#include <QFileInfo>

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

SaveFilePage::SaveFilePage(Ui::frmMain &form, Prompts &prompts, convert::Cp936 &codec,
                           QWidget *window)
    : QObject(window), ui(&form), m_prompts(prompts), m_codec(codec), m_window(window)
{
    connect(ui->Command7, &QPushButton::clicked, this, &SaveFilePage::Command7_Click);
    connect(ui->Option1, &QRadioButton::clicked, this, &SaveFilePage::Option1_Click);
    connect(ui->Option2, &QRadioButton::clicked, this, &SaveFilePage::Option2_Click);
    connect(ui->Option3, &QRadioButton::clicked, this, &SaveFilePage::Option3_Click);
    connect(ui->Option4, &QRadioButton::clicked, this, &SaveFilePage::Option4_Click);
    connect(ui->Command8, &QPushButton::clicked, this, &SaveFilePage::Command8_Click);
    for (QLineEdit *box : {ui->Text8, ui->Text9, ui->Text10, ui->Text11})
        connect(box, &QLineEdit::textChanged, this, &SaveFilePage::updateWritePreview);

    // A save file may be dropped anywhere on the save-file page, its boxes
    // included; the window takes the drops and hands them to the page.
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    for (QLineEdit *field : ui->saveFilePage->findChildren<QLineEdit *>())
        field->installEventFilter(this);

    setUpRenaming();
    updateWritePreview();
}

SaveFilePage::~SaveFilePage() = default;

void SaveFilePage::setChooserFilter(const QString &filter)
{
    m_saveFileFilter = filter;
}

QString SaveFilePage::saveFile() const
{
    return ui->Text3->text();
}

void SaveFilePage::showError(const QString &text)
{
    m_prompts.message(m_window, messages::errorTitle.toString(), text);
}

void SaveFilePage::showFileError(QStringView sentence, const QString &path, int code)
{
    showError(fileFailureText(sentence, path, code));
}

void SaveFilePage::ReadNameSlot(const QString &path, int slot)
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

void SaveFilePage::WriteNameSlot(const QString &path, int slot)
{
    const savefile::SlotBytes bytes = savefile::slotBytesFromHexBoxes(
        {ui->Text8->text(), ui->Text9->text(), ui->Text10->text(), ui->Text11->text()});
    // The old bytes are read in the same open, so that the write can be
    // taken back.
    const savefile::SlotSwap swap = savefile::swapSlot(path, slot, bytes);
    if (swap.error) {
        showSlotError(*swap.error, path, slot);
        return;
    }
    m_slotWrites.push_back({path, slot, swap.before, bytes});
    // The fill is in the file now: Ctrl+Z takes the write back, after asking.
    m_beforeFills.clear();
    updateRenamingActions();
    m_prompts.message(m_window, messages::noticeTitle.toString(),
                      messages::saveFileWritten.toString());
}

// A failed write that could not put the old bytes back says so.
void SaveFilePage::showSlotError(const savefile::SlotError &error, const QString &path, int slot)
{
    if (error.mayBeDamaged)
        showFileError(messages::saveFileDamaged.toString().arg(u"%1", QString::number(slot)), path,
                      error.code);
    else
        showFileError(saveFileErrorSentence(error.step), path, error.code);
}

// The question names what the take-back writes, and what the page will
// show and 修改文件 write next when that is not what it shows now.
bool SaveFilePage::askToTakeBack(const QString &path, int slot, const savefile::SlotBytes &now,
                                 const savefile::SlotBytes &before)
{
    const auto name = [this](const savefile::SlotBytes &bytes) {
        const QString text = savefile::slotName(bytes, m_codec);
        return text.isEmpty() ? messages::emptyName.toString() : quotedInMessage(text);
    };
    QString text = messages::takeBackQuestion.toString().arg(
        QDir::toNativeSeparators(path), QString::number(slot), name(now), name(before));
    if (ui->Text3->text() != path || selectedSlot() != slot)
        text += u'\n' + messages::takeBackMovesThePage.toString().arg(slot);
    text += u'\n' + messages::takeBackAsk.toString();
    return m_prompts.question(m_window, messages::takeBackTitle.toString(), text);
}

// Newest first, and only after the user said yes. A write is taken back
// only while the slot still holds what it wrote; once someone else has
// changed the slot, or its file has gone, it never can be, and is
// forgotten.
void SaveFilePage::takeBackLastWrite()
{
    if (m_slotWrites.empty())
        return;
    const SlotWrite last = m_slotWrites.back();
    if (!askToTakeBack(last.path, last.slot, last.written, last.before))
        return;
    const auto error = savefile::writeSlotIfHolds(last.path, last.slot, last.written, last.before);
    const auto forget = [this] {
        m_slotWrites.pop_back();
        updateRenamingActions();
    };
    if (error && error->step == savefile::SlotStep::Changed) {
        forget();
        showError(messages::takeBackChanged.toString().arg(QDir::toNativeSeparators(last.path),
                                                           QString::number(last.slot)));
        return;
    }
    if (error && !QFileInfo(last.path).isFile()) {
        forget();
        showFileError(saveFileErrorSentence(error->step), last.path, error->code);
        showError(messages::takeBackForgotten.toString());
        return;
    }
    if (error) {
        showSlotError(*error, last.path, last.slot);
        return;
    }
    forget();
    // The page shows what was put back: that file, that slot, as the
    // question said.
    ui->Text3->setText(last.path);
    QRadioButton *const options[] = {ui->Option1, ui->Option2, ui->Option3, ui->Option4};
    options[last.slot - 1]->setChecked(true);
    ReadNameSlot(last.path, last.slot);
    const QString back = savefile::slotName(last.before, m_codec);
    m_prompts.message(m_window, messages::noticeTitle.toString(),
                      messages::takeBackDone.toString().arg(
                          QDir::toNativeSeparators(last.path), QString::number(last.slot),
                          back.isEmpty() ? messages::emptyName.toString() : quotedInMessage(back)));
}

void SaveFilePage::Command7_Click()
{
    // The chooser is made afresh for every use, so it always opens with an
    // empty file name and a cancel always gives "".
    const QString path = m_prompts.openFileName(m_window, m_saveFileFilter);
    if (path.isEmpty())
        return;
    useSaveFile(path);
}

// A file chosen with 设置 or dropped onto the page.
void SaveFilePage::useSaveFile(const QString &path)
{
    // As the system writes paths: with backslashes on Windows.
    const QString shown = QDir::toNativeSeparators(path);
    ui->Text3->setText(shown);
    ReadNameSlot(shown, 1);
}

void SaveFilePage::Option1_Click()
{
    showSlotOfChosenFile(1);
}

void SaveFilePage::Option2_Click()
{
    showSlotOfChosenFile(2);
}

void SaveFilePage::Option3_Click()
{
    showSlotOfChosenFile(3);
}

void SaveFilePage::Option4_Click()
{
    showSlotOfChosenFile(4);
}

void SaveFilePage::showSlotOfChosenFile(int slot)
{
    // Before a file is chosen an option only changes the selection.
    const QString path = ui->Text3->text();
    if (!path.isEmpty())
        ReadNameSlot(path, slot);
}

void SaveFilePage::Command8_Click()
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

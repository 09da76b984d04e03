// SPDX-License-Identifier: MIT
#include "app/frmmain.h"
#include "ui_frmmain.h"

#include "app/hexboxfilter.h"
#include "app/messages.h"
#include "app/prompts.h"
#include "savefile/nametext.h"

#include <QAction>

namespace {

// As if the user selected the box's text and typed over it, so that Ctrl+Z
// in the box still takes its own last edit back. Moving the cursor first
// closes the box's current undo step.
void typeIntoBox(QLineEdit *box, const QString &text)
{
    box->end(false);
    box->home(false);
    box->end(true);
    box->insert(text);
}

} // namespace

void frmMain::setUpRenaming()
{
    // F2 renames, as in file managers.
    m_nameAsText = new QAction(messages::nameAsTextAction.toString(), this);
    m_nameAsText->setShortcut(Qt::Key_F2);
    connect(m_nameAsText, &QAction::triggered, this, &frmMain::fillNameAsText);

    // Ctrl+Z reaches the window only from outside an editable box: inside
    // one it stays the box's own undo.
    m_takeBack = new QAction(messages::takeBackAction.toString(), this);
    m_takeBack->setShortcut(QKeySequence::Undo);
    m_takeBack->setShortcutVisibleInContextMenu(false); // a box's menu has its own Ctrl+Z
    connect(m_takeBack, &QAction::triggered, this, &frmMain::takeBackLastWrite);

    // In the 文件 menu after the page items, in the page's context menu and
    // in the hexadecimal boxes' context menus.
    const QList<QAction *> actions{m_nameAsText, m_takeBack};
    const QList<QAction *> fileItems = ui->mnu_file->actions();
    QAction *exitSeparator = fileItems.at(fileItems.indexOf(ui->mnu_exit) - 1);
    ui->mnu_file->insertActions(exitSeparator, actions);
    ui->mnu_file->insertSeparator(m_nameAsText);
    ui->saveFilePage->setContextMenuPolicy(Qt::ActionsContextMenu);
    ui->saveFilePage->addActions(actions);
    auto *filter = new HexBoxFilter(
        [this](QLineEdit *box, const QString &text) { return pasteCodeLine(box, text); }, actions,
        this);
    for (QLineEdit *box : {ui->Text8, ui->Text9, ui->Text10, ui->Text11})
        filter->watch(box);

    // The preview names the file's state and the slot 修改文件 writes.
    connect(ui->Text3, &QLineEdit::textChanged, this, &frmMain::updateWritePreview);
    for (QRadioButton *option : {ui->Option1, ui->Option2, ui->Option3, ui->Option4})
        connect(option, &QRadioButton::toggled, this, &frmMain::updateWritePreview);

    connect(ui->SSTab1, &QTabWidget::currentChanged, this, &frmMain::updateRenamingActions);
    updateRenamingActions();
}

// Both act on the save-file page only, so Ctrl+Z and F2 mean nothing on
// the other pages.
void frmMain::updateRenamingActions()
{
    const bool onPage = ui->SSTab1->currentWidget() == ui->saveFilePage;
    m_nameAsText->setEnabled(onPage);
    m_takeBack->setEnabled(onPage && !m_slotWrites.empty());
}

int frmMain::selectedSlot() const
{
    const QRadioButton *const options[] = {ui->Option1, ui->Option2, ui->Option3, ui->Option4};
    for (int slot = 1; slot <= savefile::slotCount; ++slot) {
        if (options[slot - 1]->isChecked())
            return slot;
    }
    return 1;
}

void frmMain::fillNameAsText()
{
    const QString name = m_prompts.text(this, messages::nameAsTextTitle.toString(),
                                        messages::nameAsTextLabel.toString().arg(selectedSlot()));
    if (name.isEmpty())
        return;
    const savefile::NameBoxes fill = savefile::hexBoxesForName(name, m_codec);
    switch (fill.refusal) {
    case savefile::NameBoxes::Refusal::Unencodable:
        showError(messages::nameUnencodable.toString().arg(name, fill.character));
        return;
    case savefile::NameBoxes::Refusal::TooLong:
        showError(messages::nameTooLong.toString().arg(name, QString::number(fill.byteCount)));
        return;
    case savefile::NameBoxes::Refusal::None: break;
    }
    QLineEdit *const boxes[] = {ui->Text8, ui->Text9, ui->Text10, ui->Text11};
    for (int cell = 0; cell < savefile::cellCount; ++cell)
        typeIntoBox(boxes[cell], fill.boxes[cell]);
}

// A line of several codes, as 复制16进制码 copies it, goes one code per box
// from `box` on; a single code is left to the box's own paste.
bool frmMain::pasteCodeLine(QLineEdit *box, const QString &text)
{
    const QStringList codes = text.simplified().split(u' ', Qt::SkipEmptyParts);
    if (codes.size() < 2)
        return false;
    QLineEdit *const boxes[] = {ui->Text8, ui->Text9, ui->Text10, ui->Text11};
    const int first = int(std::find(std::begin(boxes), std::end(boxes), box) - std::begin(boxes));
    const int room = savefile::cellCount - first;
    if (codes.size() > room) {
        showError(messages::pasteTooManyCodes.toString().arg(
            QString::number(codes.size()), QString::number(first + 1), QString::number(room)));
        return true;
    }
    for (int i = 0; i < codes.size(); ++i)
        typeIntoBox(boxes[first + i], codes[i]);
    return true;
}

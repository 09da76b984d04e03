// SPDX-License-Identifier: MIT
#include "app/savefilepage.h"
#include "ui_frmmain.h"

#include "app/hexboxfilter.h"
#include "app/messages.h"
#include "app/messagetext.h"
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

void SaveFilePage::setUpRenaming()
{
    // F2 renames, as in file managers.
    m_nameAsText = new QAction(messages::nameAsTextAction.toString(), this);
    m_nameAsText->setShortcut(Qt::Key_F2);
    connect(m_nameAsText, &QAction::triggered, this, &SaveFilePage::fillNameAsText);

    // Ctrl+Z reaches the window only from outside an editable box: inside
    // one it stays the box's own undo, but for a fill. It undoes the last
    // fill while there is one, and only then takes the last write back,
    // which asks first: so it never writes a file unseen.
    m_undo = new QAction(this);
    m_undo->setShortcut(QKeySequence::Undo);
    m_undo->setShortcutVisibleInContextMenu(false); // a box's menu has its own Ctrl+Z
    connect(m_undo, &QAction::triggered, this, &SaveFilePage::undoLastStep);

    // In the 文件 menu after the page items, in the page's context menu and
    // in the hexadecimal boxes' context menus.
    const QList<QAction *> actions{m_nameAsText, m_undo};
    const QList<QAction *> fileItems = ui->mnu_file->actions();
    QAction *exitSeparator = fileItems.at(fileItems.indexOf(ui->mnu_exit) - 1);
    ui->mnu_file->insertActions(exitSeparator, actions);
    ui->mnu_file->insertSeparator(m_nameAsText);
    ui->saveFilePage->setContextMenuPolicy(Qt::ActionsContextMenu);
    ui->saveFilePage->addActions(actions);
    auto *filter = new HexBoxFilter(
        [this](QLineEdit *box, const QString &text) { pasteCodes(box, text); },
        [this] { return !m_beforeFills.empty(); }, [this] { undoFill(); }, actions, this);
    for (QLineEdit *box : {ui->Text8, ui->Text9, ui->Text10, ui->Text11}) {
        filter->watch(box);
        // Once the user edits a box, Ctrl+Z there is that edit's again.
        connect(box, &QLineEdit::textEdited, this, [this] {
            if (m_filling || m_beforeFills.empty())
                return;
            m_beforeFills.clear();
            updateRenamingActions();
        });
    }

    // The preview names the file's state and the slot 修改文件 writes.
    connect(ui->Text3, &QLineEdit::textChanged, this, &SaveFilePage::updateWritePreview);
    for (QRadioButton *option : {ui->Option1, ui->Option2, ui->Option3, ui->Option4})
        connect(option, &QRadioButton::toggled, this, &SaveFilePage::updateWritePreview);

    connect(ui->SSTab1, &QTabWidget::currentChanged, this, &SaveFilePage::updateRenamingActions);
    updateRenamingActions();
}

// Both act on the save-file page only, so Ctrl+Z and F2 mean nothing on
// the other pages. The undo item says what it will do.
void SaveFilePage::updateRenamingActions()
{
    const bool onPage = ui->SSTab1->currentWidget() == ui->saveFilePage;
    m_nameAsText->setEnabled(onPage);
    const bool fill = !m_beforeFills.empty();
    m_undo->setText(fill ? messages::undoFillAction.toString()
                         : messages::takeBackAction.toString());
    m_undo->setEnabled(onPage && (fill || !m_slotWrites.empty()));
}

int SaveFilePage::selectedSlot() const
{
    const QRadioButton *const options[] = {ui->Option1, ui->Option2, ui->Option3, ui->Option4};
    for (int slot = 1; slot <= savefile::slotCount; ++slot) {
        if (options[slot - 1]->isChecked())
            return slot;
    }
    return 1;
}

void SaveFilePage::fillNameAsText()
{
    const QString name = m_prompts.text(m_window, messages::nameAsTextTitle.toString(),
                                        messages::nameAsTextLabel.toString().arg(selectedSlot()));
    if (name.isEmpty())
        return;
    const savefile::NameBoxes fill = savefile::hexBoxesForName(name, m_codec);
    const QString quoted = quotedInMessage(name);
    switch (fill.refusal) {
    case savefile::NameBoxes::Refusal::Unencodable:
        showError(messages::nameUnencodable.toString().arg(quoted, namedInMessage(fill.character)));
        return;
    case savefile::NameBoxes::Refusal::Control:
        showError(messages::nameControl.toString().arg(quoted, namedInMessage(fill.character)));
        return;
    case savefile::NameBoxes::Refusal::TooLong:
        showError(messages::nameTooLong.toString().arg(quoted, QString::number(fill.byteCount)));
        return;
    case savefile::NameBoxes::Refusal::NotACode:
    case savefile::NameBoxes::Refusal::None: break;
    }
    fillBoxes(fill.boxes, 0);
}

// A pasted or dropped code line is laid out by its bytes, as F2 lays out
// the same name, from `box` on; the boxes after its bytes are emptied. A
// single code goes where the cursor is, as any paste would.
void SaveFilePage::pasteCodes(QLineEdit *box, const QString &text)
{
    QLineEdit *const boxes[] = {ui->Text8, ui->Text9, ui->Text10, ui->Text11};
    const int first = int(std::find(std::begin(boxes), std::end(boxes), box) - std::begin(boxes));
    const savefile::NameBoxes fill = savefile::hexBoxesForCodeLine(text, first);
    switch (fill.refusal) {
    case savefile::NameBoxes::Refusal::NotACode:
        showError(messages::pasteNotACode.toString().arg(quotedInMessage(fill.character)));
        return;
    case savefile::NameBoxes::Refusal::TooLong: {
        const int room = savefile::cellCount - first;
        showError(messages::pasteTooManyBytes.toString().arg(
            QString::number(fill.byteCount), QString::number(first + 1), QString::number(room),
            QString::number(room * savefile::cellSize)));
        return;
    }
    case savefile::NameBoxes::Refusal::Unencodable:
    case savefile::NameBoxes::Refusal::Control:
    case savefile::NameBoxes::Refusal::None: break;
    }
    const QStringList tokens = text.simplified().split(u' ', Qt::SkipEmptyParts);
    if (tokens.size() == 1)
        box->insert(tokens[0]);
    else if (tokens.size() > 1)
        fillBoxes(fill.boxes, first);
}

// As typed, each box keeping its own undo, and as one step for Ctrl+Z.
void SaveFilePage::fillBoxes(const savefile::HexBoxes &fill, int first)
{
    QLineEdit *const boxes[] = {ui->Text8, ui->Text9, ui->Text10, ui->Text11};
    savefile::HexBoxes before;
    for (int cell = 0; cell < savefile::cellCount; ++cell)
        before[cell] = boxes[cell]->text();
    m_filling = true;
    for (int cell = first; cell < savefile::cellCount; ++cell)
        typeIntoBox(boxes[cell], fill[cell]);
    m_filling = false;
    m_beforeFills.push_back(before);
    updateRenamingActions();
}

void SaveFilePage::undoFill()
{
    if (m_beforeFills.empty())
        return;
    const savefile::HexBoxes before = m_beforeFills.back();
    m_beforeFills.pop_back();
    QLineEdit *const boxes[] = {ui->Text8, ui->Text9, ui->Text10, ui->Text11};
    m_filling = true;
    for (int cell = 0; cell < savefile::cellCount; ++cell) {
        if (boxes[cell]->text() != before[cell])
            typeIntoBox(boxes[cell], before[cell]);
    }
    m_filling = false;
    updateRenamingActions();
}

void SaveFilePage::undoLastStep()
{
    if (!m_beforeFills.empty())
        undoFill();
    else
        takeBackLastWrite();
}

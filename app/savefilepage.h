// SPDX-License-Identifier: MIT
#pragma once

#include "savefile/namecells.h"
#include "savefile/slotfile.h"

#include <QObject>
#include <QString>

#include <vector>

namespace Ui {
class frmMain;
}
namespace convert {
class Cp936;
}
class Prompts;
class QAction;
class QDropEvent;
class QLineEdit;

// The save-file page of the main window: choosing the save file, reading
// and writing the name slots, the bytes behind the boxes, renaming by text
// and by pasted codes, taking writes back, a save file dropped onto the
// page. It works on the window's one form (the fixed layout keeps every
// page in frmmain.ui) and shows its dialogs over `window`. Each group of
// members has a unit of its own, named in its comment.
class SaveFilePage : public QObject {
    Q_OBJECT

public:
    SaveFilePage(Ui::frmMain &form, Prompts &prompts, convert::Cp936 &codec, QWidget *window);
    ~SaveFilePage() override;

    // The chooser's filter, description and pattern separated by "|".
    void setChooserFilter(const QString &filter);
    // The save file the page reads and writes, as Text3 shows it; "" before
    // one is chosen.
    QString saveFile() const;

protected:
    // A save file dropped onto the page, its boxes included
    // (savefilepage-drop.cpp).
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Choosing the file, reading and writing a slot, taking a write back
    // (savefilepage.cpp).
    void Command7_Click();
    void useSaveFile(const QString &path);
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Command8_Click();
    void showSlotOfChosenFile(int slot);
    void ReadNameSlot(const QString &path, int slot);
    void WriteNameSlot(const QString &path, int slot);
    void takeBackLastWrite();
    bool askToTakeBack(const QString &path, int slot, const savefile::SlotBytes &now,
                       const savefile::SlotBytes &before);
    void showSlotError(const savefile::SlotError &error, const QString &path, int slot);
    void showError(const QString &text);
    // `sentence` names the file with %1.
    void showFileError(QStringView sentence, const QString &path, int code);

    // The bytes behind the boxes (savefilepage-slotbytes.cpp).
    void updateWritePreview();
    void showCellBytes(const savefile::SlotBytes &bytes);

    // A name typed as text, a code line pasted across the boxes, undoing
    // that fill, the menu items for them and for taking a write back
    // (savefilepage-renaming.cpp).
    void setUpRenaming();
    void updateRenamingActions();
    int selectedSlot() const;
    void fillNameAsText();
    void pasteCodes(QLineEdit *box, const QString &text);
    void fillBoxes(const savefile::HexBoxes &fill, int first);
    void undoFill();
    void undoLastStep();

    // The path of a drag that drops a save file, or "" (savefilepage-drop.cpp).
    QString droppedSaveFile(const QDropEvent &event) const;
    void acceptSaveFileDrag(QDropEvent *event);
    void dropSaveFile(QDropEvent *event);

    Ui::frmMain *const ui;
    Prompts &m_prompts;
    convert::Cp936 &m_codec;
    QWidget *const m_window;
    QString m_saveFileFilter;

    // A write of 修改文件 in this run, so that it can be taken back.
    struct SlotWrite {
        QString path;
        int slot;
        savefile::SlotBytes before;  // what the write replaced
        savefile::SlotBytes written; // what it put there
    };
    std::vector<SlotWrite> m_slotWrites; // newest last
    // The boxes before each fill by F2 or a pasted code line since the last
    // edit or write, newest last: Ctrl+Z puts back one fill at a time.
    std::vector<savefile::HexBoxes> m_beforeFills;
    bool m_filling = false;
    QAction *m_nameAsText = nullptr;
    QAction *m_undo = nullptr; // the last fill, else the last write
};

// SPDX-License-Identifier: MIT
#pragma once

#include "savefile/slottable.h"

#include <QMainWindow>

#include <memory>
#include <vector>

namespace Ui {
class frmMain;
}
namespace convert {
class Cp936;
class CodeTable;
class Rows;
struct LeftOut;
enum class TextEncoding;
} // namespace convert
class Prompts;
class QAction;
class QLineEdit;
class ResultList;
class frmAbout;

// The main window: three tool pages, the menu, the about and exit buttons.
// Its controls keep their object names from the form (Text1, List1,
// Command3, ...); tests find them by those names. The pages are found by
// widget (charsToCodesPage, codesToCharsPage, saveFilePage), never by
// their place in the tab control. Each feature has a unit of its own,
// frmmain-<feature>.cpp.
//
// The form places each page's frame relative to the page, which starts
// at (2, 26) inside the tab control, below the tab strip.
class frmMain : public QMainWindow {
public:
    frmMain(Prompts &prompts, convert::Cp936 &codec, QWidget *parent = nullptr);
    ~frmMain() override;

protected:
    // A save file dropped onto the save-file page (frmmain-drop.cpp).
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The window, its menu and its buttons (frmmain.cpp).
    void Form_Load();
    void Command1_Click();
    void Command2_Click();
    void mnu_exit_Click();
    void mnu_about_Click();
    void mnu_hztoUni_Click();
    void mnu_Unitohz_Click();
    void mnu_changname_Click();
    void endProgram();
    void showAbout();
    void showError(const QString &text);
    // `sentence` names the file with %1; the reason for the system's error
    // code, if any, follows on a line of its own.
    void showFileError(QStringView sentence, const QString &path, int code);

    // The character and code pages: the conversions and their export
    // (frmmain-conversion.cpp).
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void exportList(const ResultList &list);
    // False, after its message, when the export failed.
    bool writeExport(const QString &path, const convert::Rows &rows,
                     convert::TextEncoding encoding);
    void copyCodesOfList1();
    void copyTextOfList2();

    // Table files (码表) of a list and of the whole code page
    // (frmmain-tables.cpp).
    void setUpTables();
    void exportTableOfList(const ResultList &list);
    void mnu_exportTable_Click();
    void mnu_exportWholeTable_Click();
    void exportTable(const convert::CodeTable &table, const convert::LeftOut &leftOut);

    // The save-file page: the save file's name slots (frmmain-savefile.cpp).
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

    // The save-file page: the bytes behind the boxes (frmmain-slotbytes.cpp).
    void updateWritePreview();
    void showCellBytes(const savefile::SlotBytes &bytes);

    // The save-file page: a name typed as text, a code line pasted across
    // the boxes, the menu items for them and for taking a write back
    // (frmmain-renaming.cpp).
    void setUpRenaming();
    void updateRenamingActions();
    int selectedSlot() const;
    void fillNameAsText();
    bool pasteCodeLine(QLineEdit *box, const QString &text);

    // The path of a drag that drops a save file, or "" (frmmain-drop.cpp).
    QString droppedSaveFile(const QDropEvent &event) const;
    void acceptSaveFileDrag(QDropEvent *event);

    std::unique_ptr<Ui::frmMain> ui;
    Prompts &m_prompts;
    convert::Cp936 &m_codec;
    std::unique_ptr<frmAbout> m_about; // created by the first show request
    QString m_exportFilter;
    QString m_saveFileFilter;
    QString m_exportPath;  // the export chooser proposes the last file chosen
    QString m_tablePath;   // likewise for table files
    QString m_tableFilter; // and the encoding last chosen for them

    // A write of 修改文件 in this run, so that it can be taken back.
    struct SlotWrite {
        QString path;
        int slot;
        savefile::SlotBytes before;  // what the write replaced
        savefile::SlotBytes written; // what it put there
    };
    std::vector<SlotWrite> m_slotWrites; // newest last
    QAction *m_nameAsText = nullptr;
    QAction *m_takeBack = nullptr;
};

// SPDX-License-Identifier: MIT
#pragma once

#include <QMainWindow>

#include <memory>

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
class ResultList;
class SaveFilePage;
class frmAbout;
class frmFind;

// The main window: three tool pages, the menu, the about and exit buttons.
// Its controls keep their object names from the form (Text1, List1,
// Command3, ...); tests find them by those names. The pages are found by
// widget (charsToCodesPage, codesToCharsPage, saveFilePage), never by
// their place in the tab control. The two conversion pages are the
// window's own (frmmain-conversion.cpp); the save-file page is a class of
// its own, SaveFilePage, over the same form.
//
// The form places each page's frame relative to the page, which starts
// at (2, 26) inside the tab control, below the tab strip.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    frmMain(Prompts &prompts, convert::Cp936 &codec, QWidget *parent = nullptr);
    ~frmMain() override;

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
    void mnu_find_Click();
    void endProgram();
    void showAbout();
    void showFind();
    // Over the main window unless `over` is given.
    void showError(const QString &text, QWidget *over = nullptr);
    // `sentence` names the file with %1; the reason for the system's error
    // code, if any, follows on a line of its own.
    void showFileError(QStringView sentence, const QString &path, int code,
                       QWidget *over = nullptr);

    // The character and code pages: the conversions and their export
    // (frmmain-conversion.cpp).
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    // Dialogs over `over`: the window whose list it is.
    void exportList(const ResultList &list, QWidget *over);
    // False, after its message, when the export failed.
    bool writeExport(const QString &path, const convert::Rows &rows, convert::TextEncoding encoding,
                     QWidget *over = nullptr);
    void copyCodesOfList1();
    void copyTextOfList2();

    // Table files (码表) of a list and of the whole code page
    // (frmmain-tables.cpp).
    void setUpTables();
    void exportTableOfList(const ResultList &list);
    void mnu_exportTable_Click();
    void mnu_exportWholeTable_Click();
    void exportTable(const convert::CodeTable &table, const convert::LeftOut &leftOut);

    std::unique_ptr<Ui::frmMain> ui;
    Prompts &m_prompts;
    convert::Cp936 &m_codec;
    std::unique_ptr<frmAbout> m_about; // created by the first show request
    std::unique_ptr<frmFind> m_find;   // likewise
    QString m_exportFilter;
    QString m_exportPath;  // the export chooser proposes the last file chosen
    QString m_tablePath;   // likewise for table files
    QString m_tableFilter; // and the encoding last chosen for them
    std::unique_ptr<SaveFilePage> m_saveFilePage;
};

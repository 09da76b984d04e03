// SPDX-License-Identifier: MIT
#pragma once

#include <QMainWindow>

#include <memory>

namespace Ui {
class frmMain;
}
namespace convert {
class Cp936;
}
class Prompts;
class ResultList;
class SaveFilePage;
class frmAbout;

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

    std::unique_ptr<Ui::frmMain> ui;
    Prompts &m_prompts;
    convert::Cp936 &m_codec;
    std::unique_ptr<frmAbout> m_about; // created by the first show request
    QString m_exportFilter;
    QString m_exportPath; // the export chooser proposes the last file chosen
    std::unique_ptr<SaveFilePage> m_saveFilePage;
};

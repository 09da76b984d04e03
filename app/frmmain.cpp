// SPDX-License-Identifier: MIT
#include "app/frmmain.h"
#include "ui_frmmain.h"

#include "app/frmabout.h"
#include "app/frmfind.h"
#include "app/messages.h"
#include "app/messagetext.h"
#include "app/programicon.h"
#include "app/prompts.h"
#include "app/resultlist.h"
#include "app/savefilepage.h"
#include "convert/charcodes.h"
#include "convert/codechars.h"
#include "convert/cp936.h"

#include <QApplication>
#include <QLayout>
#include <QLineEdit>

#include <limits>

frmMain::frmMain(Prompts &prompts, convert::Cp936 &codec, QWidget *parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::frmMain>()), m_prompts(prompts), m_codec(codec)
{
    setWindowIcon(programIcon());
    ui->setupUi(this);

    connect(ui->Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &frmMain::Command2_Click);
    connect(ui->mnu_exit, &QAction::triggered, this, &frmMain::mnu_exit_Click);
    connect(ui->mnu_about, &QAction::triggered, this, &frmMain::mnu_about_Click);
    connect(ui->mnu_hztoUni, &QAction::triggered, this, &frmMain::mnu_hztoUni_Click);
    connect(ui->mnu_Unitohz, &QAction::triggered, this, &frmMain::mnu_Unitohz_Click);
    connect(ui->mnu_changname, &QAction::triggered, this, &frmMain::mnu_changname_Click);
    connect(ui->mnu_find, &QAction::triggered, this, &frmMain::mnu_find_Click);
    connect(ui->Command3, &QPushButton::clicked, this, &frmMain::Command3_Click);
    connect(ui->Command4, &QPushButton::clicked, this, &frmMain::Command4_Click);
    connect(ui->Text1, &QLineEdit::returnPressed, this, &frmMain::Command3_Click);
    connect(ui->Text2, &QLineEdit::returnPressed, this, &frmMain::Command4_Click);
    connect(ui->Command5, &QPushButton::clicked, this, &frmMain::Command5_Click);
    connect(ui->Command6, &QPushButton::clicked, this, &frmMain::Command6_Click);

    // The character page's list copies codes in the form the code page
    // reads, the code page's list the decoded text, so neither is typed
    // over by hand.
    ui->List1->setExtractAction(messages::listCopyCodes.toString(), [this] { copyCodesOfList1(); });
    ui->List2->setExtractAction(messages::listCopyText.toString(), [this] { copyTextOfList2(); });

    // Designer cannot store a fractional point size.
    QFont titleFont = ui->Label1->font();
    titleFont.setPointSizeF(10.5);
    ui->Label1->setFont(titleFont);

    // No text field has a length limit (QLineEdit stops at 32767 otherwise).
    for (QLineEdit *field : findChildren<QLineEdit *>())
        field->setMaxLength(std::numeric_limits<int>::max());

    // The client area below the menu bar (6285 x 5895 twips) is fixed:
    // nothing in it moves or resizes. The window takes what the menu bar
    // needs on top, whatever the platform's style makes of it.
    centralWidget()->setFixedSize(419, 393);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ui->Command1->setFocus();

    m_saveFilePage = std::make_unique<SaveFilePage>(*ui, m_prompts, m_codec, this);
    Form_Load();
    setUpTables();
}

frmMain::~frmMain() = default;

void frmMain::Form_Load()
{
    ui->SSTab1->setCurrentWidget(ui->charsToCodesPage);
    m_exportFilter = messages::exportFilter.toString();
    m_saveFilePage->setChooserFilter(QStringLiteral("ShinSangokumusou3.dat|ShinSangokumusou3.dat"));
}

void frmMain::Command1_Click()
{
    endProgram();
}

void frmMain::mnu_exit_Click()
{
    endProgram();
}

void frmMain::Command2_Click()
{
    showAbout();
}

void frmMain::mnu_about_Click()
{
    showAbout();
}

void frmMain::showAbout()
{
    if (!m_about)
        m_about = std::make_unique<frmAbout>();
    m_about->showWindow();
}

void frmMain::mnu_find_Click()
{
    showFind();
}

void frmMain::showFind()
{
    if (!m_find)
        m_find = std::make_unique<frmFind>(
            m_prompts, m_codec,
            [this](const ResultList &list, QWidget *over) { exportList(list, over); });
    m_find->showWindow(m_saveFilePage->saveFile());
}

void frmMain::endProgram()
{
    // At once and without a question: every window closes, the about
    // window included, and the event loop ends.
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

void frmMain::mnu_hztoUni_Click()
{
    ui->SSTab1->setCurrentWidget(ui->charsToCodesPage);
}

void frmMain::mnu_Unitohz_Click()
{
    ui->SSTab1->setCurrentWidget(ui->codesToCharsPage);
}

void frmMain::mnu_changname_Click()
{
    ui->SSTab1->setCurrentWidget(ui->saveFilePage);
}

void frmMain::showError(const QString &text, QWidget *over)
{
    m_prompts.message(over ? over : this, messages::errorTitle.toString(), text);
}

void frmMain::showFileError(QStringView sentence, const QString &path, int code, QWidget *over)
{
    showError(fileFailureText(sentence, path, code), over);
}

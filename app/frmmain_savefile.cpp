#include "app/frmmain.h"
#include "ui_frmmain.h"

void frmMain::Command7_Click()
{
}

void frmMain::Option1_Click()
{
}

void frmMain::Option2_Click()
{
}

void frmMain::Option3_Click()
{
}

void frmMain::Option4_Click()
{
}

void frmMain::Command8_Click()
{
}

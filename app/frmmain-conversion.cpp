// SPDX-License-Identifier: MIT
#include "app/frmmain.h"
#include "ui_frmmain.h"

#include "app/messages.h"
#include "app/prompts.h"
#include "app/resultlist.h"
#include "convert/charcodes.h"
#include "convert/codechars.h"
#include "convert/export.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

QStringView exportErrorSentence(convert::ExportStep step)
{
    switch (step) {
    case convert::ExportStep::NotRegularFile: return messages::exportNotRegular;
    case convert::ExportStep::Open: return messages::exportOpenFailed;
    case convert::ExportStep::Write: return messages::exportWriteFailed;
    case convert::ExportStep::Flush: return messages::exportFlushFailed;
    case convert::ExportStep::Close: return messages::exportCloseFailed;
    case convert::ExportStep::Replace: return messages::exportReplaceFailed;
    case convert::ExportStep::Restore: return messages::exportRestoreFailed;
    }
    return messages::exportWriteFailed;
}

} // namespace

void frmMain::Command3_Click()
{
    const QString text = ui->Text1->text();
    if (text.isEmpty()) {
        showError(messages::noTextToConvert.toString());
        return;
    }
    ui->List1->setRows(std::make_unique<convert::CharRows>(text, m_codec));
}

void frmMain::Command4_Click()
{
    const QString text = ui->Text2->text();
    if (text.isEmpty()) {
        showError(messages::noCodesToConvert.toString());
        return;
    }
    // The box shows the upper-cased codes afterwards; setting an unchanged
    // text would only cost a relayout and lose the cursor.
    const QString upper = convert::upperCased(text);
    if (upper != text)
        ui->Text2->setText(upper);
    ui->List2->setRows(std::make_unique<convert::CodeRows>(upper, m_codec));
}

void frmMain::Command5_Click()
{
    exportList(*ui->List1, this);
}

void frmMain::Command6_Click()
{
    exportList(*ui->List2, this);
}

void frmMain::exportList(const ResultList &list, QWidget *over)
{
    if (list.count() == 0) {
        showError(messages::nothingToExport.toString(), over);
        return;
    }
    const QString path = m_prompts.saveFileName(over, messages::exportTitle.toString(),
                                                m_exportFilter, m_exportPath, nullptr);
    if (path.isEmpty())
        return;
    m_exportPath = path;
    writeExport(path, list.rows(), convert::TextEncoding::Cp936, over);
}

bool frmMain::writeExport(const QString &path, const convert::Rows &rows,
                          convert::TextEncoding encoding, QWidget *over)
{
    const auto error = convert::exportLines(path, rows, m_codec, encoding);
    if (error)
        showFileError(exportErrorSentence(error->step), path, error->code, over);
    return !error;
}

// The codes are read from the rows, not from their lines: a character the
// code page cannot hold shows 3F there, but has no code to paste.
void frmMain::copyCodesOfList1()
{
    const convert::CodeLine line =
        convert::codeLineOfRows(ui->List1->rows(), ui->List1->selectedRows());
    if (line.refused >= 0) {
        const QString &character = line.refusedCharacter;
        const uint point = character.size() == 2
                               ? QChar::surrogateToUcs4(character[0], character[1])
                               : character[0].unicode();
        showError(messages::copyUnencodable.toString().arg(
            QString::number(line.refused + 1), character,
            QStringLiteral("%1").arg(point, 4, 16, QChar(u'0')).toUpper()));
        return;
    }
    QGuiApplication::clipboard()->setText(line.codes);
}

void frmMain::copyTextOfList2()
{
    QGuiApplication::clipboard()->setText(
        convert::textOfRows(ui->List2->rows(), ui->List2->selectedRows()));
}

// SPDX-License-Identifier: MIT
#include "app/frmmain.h"
#include "ui_frmmain.h"

#include "app/messages.h"
#include "app/prompts.h"
#include "convert/charcodes.h"
#include "convert/codechars.h"
#include "convert/export.h"

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
    ui->List1->setLines(convert::CharsToCodes(text, m_codec));
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
    ui->List2->setLines(convert::CodesToChars(upper, m_codec));
}

void frmMain::Command5_Click()
{
    exportList(*ui->List1);
}

void frmMain::Command6_Click()
{
    exportList(*ui->List2);
}

void frmMain::exportList(const ResultList &list)
{
    if (list.count() == 0) {
        showError(messages::nothingToExport.toString());
        return;
    }
    const QString path =
        m_prompts.saveFileName(this, QStringLiteral("导出结果"), m_exportFilter, m_exportPath);
    if (path.isEmpty())
        return;
    m_exportPath = path;
    if (const auto error = convert::exportLines(path, list.lines(), m_codec))
        showFileError(exportErrorSentence(error->step), path, error->code);
}

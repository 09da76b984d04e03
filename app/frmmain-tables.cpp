// SPDX-License-Identifier: MIT
#include "app/frmmain.h"
#include "ui_frmmain.h"

#include "app/messages.h"
#include "app/prompts.h"
#include "app/resultlist.h"
#include "convert/codetable.h"
#include "convert/export.h"

#include <QFileInfo>

namespace {

// The kinds left out, with their counts: "控制字符 1 个，…".
QString leftOutKinds(const convert::LeftOut &leftOut)
{
    QStringList kinds;
    const auto kind = [&](qsizetype count, QStringView text) {
        if (count > 0)
            kinds.append(text.toString().arg(count));
    };
    kind(leftOut.unencodable, messages::tableLeftOutUnencodable);
    kind(leftOut.control, messages::tableLeftOutControl);
    kind(leftOut.empty, messages::tableLeftOutEmpty);
    return kinds.join(messages::tableKindSeparator);
}

// The chosen filter's suffix (".tbl") for a name typed without one; a
// name with a dot keeps it, as Qt's choosers do.
QString withSuffix(const QString &path, const QString &filter)
{
    if (QFileInfo(path).fileName().contains(u'.'))
        return path;
    return path + filter.section(u'|', 1, 1).mid(1);
}

} // namespace

void frmMain::setUpTables()
{
    connect(ui->mnu_exportTable, &QAction::triggered, this, &frmMain::mnu_exportTable_Click);
    connect(ui->mnu_exportWholeTable, &QAction::triggered, this,
            &frmMain::mnu_exportWholeTable_Click);
    for (ResultList *list : {ui->List1, ui->List2}) {
        auto *action = new QAction(ui->mnu_exportTable->text(), list);
        connect(action, &QAction::triggered, this, [this, list] { exportTableOfList(*list); });
        list->addAction(action);
    }
    // The 文件 menu's item exports the list of the page shown.
    const auto update = [this] {
        ui->mnu_exportTable->setEnabled(ui->SSTab1->currentWidget() != ui->saveFilePage);
    };
    connect(ui->SSTab1, &QTabWidget::currentChanged, this, update);
    update();
    m_tableFilter = messages::tableFilterUtf16.toString();
}

void frmMain::mnu_exportTable_Click()
{
    if (ui->SSTab1->currentWidget() == ui->charsToCodesPage)
        exportTableOfList(*ui->List1);
    else if (ui->SSTab1->currentWidget() == ui->codesToCharsPage)
        exportTableOfList(*ui->List2);
}

void frmMain::mnu_exportWholeTable_Click()
{
    exportTable(convert::wholeCodePage(m_codec), {});
}

void frmMain::exportTableOfList(const ResultList &list)
{
    if (list.count() == 0) {
        showError(messages::nothingToExport.toString());
        return;
    }
    convert::LeftOut leftOut;
    const convert::CodeTable table = convert::tableOfRows(list.rows(), leftOut);
    if (table.isEmpty()) {
        showError(messages::tableNothingToExport.toString().arg(leftOutKinds(leftOut)));
        return;
    }
    exportTable(table, leftOut);
}

void frmMain::exportTable(const convert::CodeTable &table, const convert::LeftOut &leftOut)
{
    const QString filters =
        messages::tableFilterUtf16.toString() + u'|' + messages::tableFilterUtf8.toString();
    const QString chosen = m_prompts.saveFileName(this, messages::tableTitle.toString(), filters,
                                                  m_tablePath, &m_tableFilter);
    if (chosen.isEmpty())
        return;
    const QString path = withSuffix(chosen, m_tableFilter);
    m_tablePath = path;
    const auto encoding = m_tableFilter == messages::tableFilterUtf8
                              ? convert::TextEncoding::Utf8
                              : convert::TextEncoding::Utf16LittleEndianWithBom;
    if (writeExport(path, table, encoding) && leftOut.any())
        m_prompts.message(this, messages::noticeTitle.toString(),
                          messages::tableLeftOut.toString().arg(QString::number(table.size()),
                                                                leftOutKinds(leftOut)));
}

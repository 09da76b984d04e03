// SPDX-License-Identifier: MIT
#include "app/resultlist.h"

#include "app/lefttorightdelegate.h"
#include "app/messages.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

#include <algorithm>

int LinesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows->size());
}

QVariant LinesModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rows->size())
        return {};
    return m_rows->line(index.row());
}

void LinesModel::setRows(std::unique_ptr<convert::Rows> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void LinesModel::appendRows(qsizetype count, const std::function<void()> &grow)
{
    if (count <= 0)
        return;
    const int first = int(m_rows->size());
    beginInsertRows({}, first, int(first + count - 1));
    grow();
    endInsertRows();
}

void LinesModel::rowsChanged()
{
    if (!m_rows->isEmpty())
        emit dataChanged(index(0), index(int(m_rows->size() - 1)));
}

ResultList::ResultList(QWidget *parent) : QListView(parent), m_model(this)
{
    setModel(&m_model);
    setItemDelegate(new LeftToRightDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);

    // The context menu lists the widget's own actions.
    setContextMenuPolicy(Qt::ActionsContextMenu);
    auto *copy = new QAction(messages::listCopy.toString(), this);
    connect(copy, &QAction::triggered, this, &ResultList::copySelection);
    addAction(copy);
    auto *all = new QAction(messages::listSelectAll.toString(), this);
    connect(all, &QAction::triggered, this, &QAbstractItemView::selectAll);
    addAction(all);
}

void ResultList::setExtractAction(const QString &caption, std::function<void()> copy)
{
    auto *action = new QAction(caption, this);
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, [this, copy = std::move(copy)] {
        if (selectionModel()->hasSelection())
            copy();
    });
    addAction(action);
}

convert::Lines ResultList::lines() const
{
    convert::Lines lines;
    QString line;
    for (qsizetype row = 0; row < rows().size(); ++row) {
        line.clear();
        rows().appendLine(row, line);
        lines.append(line);
    }
    return lines;
}

QString ResultList::selectedText() const
{
    QString text;
    bool first = true;
    forEachSelectedRow([&](qsizetype row) {
        if (!first)
            text += u'\n';
        first = false;
        rows().appendLine(row, text);
    });
    return text;
}

QList<qsizetype> ResultList::selectedRows() const
{
    QList<qsizetype> rows;
    forEachSelectedRow([&](qsizetype row) { rows.append(row); });
    return rows;
}

void ResultList::forEachSelectedRow(const std::function<void(qsizetype row)> &each) const
{
    // Selection ranges, not indexes: selecting a million lines stays cheap.
    QList<QPair<int, int>> ranges;
    for (const QItemSelectionRange &range : selectionModel()->selection())
        ranges.append({range.top(), range.bottom()});
    std::sort(ranges.begin(), ranges.end());

    int next = 0; // rows before this one are taken already
    for (const auto &[top, bottom] : ranges) {
        for (int row = std::max(top, next); row <= bottom; ++row)
            each(row);
        next = std::max(next, bottom + 1);
    }
}

void ResultList::keyPressEvent(QKeyEvent *event)
{
    if (event == QKeySequence::Copy) {
        copySelection();
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

// Without a selection the clipboard keeps what it holds.
void ResultList::copySelection()
{
    if (selectionModel()->hasSelection())
        QGuiApplication::clipboard()->setText(selectedText());
}

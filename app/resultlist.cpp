#include "app/resultlist.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

#include <algorithm>

int LinesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

QVariant LinesModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_lines.size())
        return {};
    return m_lines.at(index.row()).toString();
}

void LinesModel::setLines(convert::Lines lines)
{
    beginResetModel();
    m_lines = std::move(lines);
    endResetModel();
}

ResultList::ResultList(QWidget *parent) : QListView(parent), m_model(this)
{
    setModel(&m_model);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

QString ResultList::selectedText() const
{
    // Selection ranges, not indexes: selecting a million lines stays cheap.
    QList<QPair<int, int>> ranges;
    for (const QItemSelectionRange &range : selectionModel()->selection())
        ranges.append({range.top(), range.bottom()});
    std::sort(ranges.begin(), ranges.end());

    QString text;
    bool first = true;
    int next = 0;  // rows before this one are taken already
    for (const auto &[top, bottom] : ranges) {
        for (int row = std::max(top, next); row <= bottom; ++row) {
            if (!first)
                text += u'\n';
            first = false;
            text += m_model.lines().at(row);
        }
        next = std::max(next, bottom + 1);
    }
    return text;
}

void ResultList::keyPressEvent(QKeyEvent *event)
{
    if (event == QKeySequence::Copy) {
        if (selectionModel()->hasSelection())
            QGuiApplication::clipboard()->setText(selectedText());
        event->accept();
        return;
    }
    QListView::keyPressEvent(event);
}

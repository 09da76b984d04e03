// SPDX-License-Identifier: MIT
#pragma once

#include "convert/lines.h"
#include "convert/rows.h"

#include <QAbstractListModel>
#include <QListView>

#include <functional>
#include <memory>

class QAction;

// The rows of a result list, each shown as its line, which is made from
// the row's data when it is drawn or read out.
class LinesModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const convert::Rows &rows() const { return *m_rows; }
    void setRows(std::unique_ptr<convert::Rows> rows);
    // `grow` adds `count` rows at the end of the rows.
    void appendRows(qsizetype count, const std::function<void()> &grow);
    // The rows' lines changed: they are made anew.
    void rowsChanged();

private:
    std::unique_ptr<convert::Rows> m_rows = std::make_unique<convert::Lines>();
};

// A read-only list box: select lines with the mouse or Ctrl+A, copy them
// with Ctrl+C, one per line, in list order. The context menu copies and
// selects all too, and may have a third item that copies a part of each
// selected row (setExtractAction). Every line is drawn left to right,
// whatever characters it holds (LeftToRightDelegate).
class ResultList : public QListView {
    Q_OBJECT

public:
    explicit ResultList(QWidget *parent = nullptr);

    const convert::Rows &rows() const { return m_model.rows(); }
    // Every row's line, made anew.
    convert::Lines lines() const;
    qsizetype count() const { return m_model.rows().size(); }
    void setRows(std::unique_ptr<convert::Rows> rows) { m_model.setRows(std::move(rows)); }
    void setLines(convert::Lines lines)
    {
        setRows(std::make_unique<convert::Lines>(std::move(lines)));
    }
    // For rows that grow or change while they are shown: `grow` adds
    // `count` rows at their end; rowsChanged() after their lines changed.
    void appendRows(qsizetype count, const std::function<void()> &grow)
    {
        m_model.appendRows(count, grow);
    }
    void rowsChanged() { m_model.rowsChanged(); }

    // The selected lines in list order, joined with "\n".
    QString selectedText() const;

    // The selected rows, in list order.
    QList<qsizetype> selectedRows() const;

    // Adds the third menu item, also on Ctrl+Shift+C, which calls `copy`.
    void setExtractAction(const QString &caption, std::function<void()> copy);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void forEachSelectedRow(const std::function<void(qsizetype row)> &each) const;
    void copySelection();

    LinesModel m_model;
};

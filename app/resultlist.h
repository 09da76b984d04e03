// SPDX-License-Identifier: MIT
#pragma once

#include "convert/lines.h"

#include <QAbstractListModel>
#include <QListView>

#include <functional>

class QAction;

// The lines of a result list, shown one per row.
class LinesModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const convert::Lines &lines() const { return m_lines; }
    void setLines(convert::Lines lines);

private:
    convert::Lines m_lines;
};

// A read-only list box: select lines with the mouse or Ctrl+A, copy them
// with Ctrl+C, one per line, in list order. The context menu copies and
// selects all too, and may have a third item that copies a part of each
// selected line (setExtractAction). Every line is drawn left to right,
// whatever characters it holds (LeftToRightDelegate).
class ResultList : public QListView {
public:
    // What to copy of one line.
    using Extract = std::function<QString(QStringView line)>;

    explicit ResultList(QWidget *parent = nullptr);

    const convert::Lines &lines() const { return m_model.lines(); }
    qsizetype count() const { return m_model.lines().size(); }
    void setLines(convert::Lines lines) { m_model.setLines(std::move(lines)); }

    // The selected lines in list order, joined with "\n".
    QString selectedText() const;

    // Adds the third menu item, also on Ctrl+Shift+C: it copies `extract`
    // of each selected line, in list order, joined with `separator`.
    void setExtractAction(const QString &caption, Extract extract, const QString &separator);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    template <typename Each>
    void forEachSelectedLine(Each each) const;
    void copySelection();
    void copyExtracted();

    LinesModel m_model;
    Extract m_extract;
    QString m_separator;
};

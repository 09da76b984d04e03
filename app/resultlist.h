#pragma once

#include "convert/lines.h"

#include <QAbstractListModel>
#include <QListView>

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
// with Ctrl+C, one per line, in list order.
class ResultList : public QListView {
public:
    explicit ResultList(QWidget *parent = nullptr);

    const convert::Lines &lines() const { return m_model.lines(); }
    qsizetype count() const { return m_model.lines().size(); }
    void setLines(convert::Lines lines) { m_model.setLines(std::move(lines)); }

    // The selected lines in list order, joined with "\n".
    QString selectedText() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    LinesModel m_model;
};

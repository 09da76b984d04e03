#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QStringList>

// The lines of a result list. A plain string list behind a list view keeps
// a million lines fast to show and cheap to hold.
class ResultLines : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const QStringList &lines() const { return m_lines; }
    void setLines(QStringList lines);

private:
    QStringList m_lines;
};

// A read-only list box: select lines with the mouse or Ctrl+A, copy them
// with Ctrl+C, one per line, in list order.
class ResultList : public QListView {
public:
    explicit ResultList(QWidget *parent = nullptr);

    const QStringList &lines() const { return m_model.lines(); }
    qsizetype count() const { return m_model.lines().size(); }
    void setLines(QStringList lines) { m_model.setLines(std::move(lines)); }

    // The selected lines in list order, joined with "\n".
    QString selectedText() const;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    ResultLines m_model;
};

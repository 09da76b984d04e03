// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractProxyModel>
#include <QCollator>
#include <QPersistentModelIndex>
#include <QTimer>

#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

class QFileSystemModel;

// A file chooser's rows in the order a reader expects: folders first, then
// names compared the Chinese way, numbers as numbers ("结果2" before
// "结果10"); or by the size, type or date column clicked, ties by name.
//
// Qt's file model sorts itself the same way, but compares every pair of
// names with the collator again after each batch of files it lists: in a
// folder of 100,000 files the window stops for seconds, again and again.
// Here the model keeps its rows unsorted, and this proxy keeps the order:
// each file's collation key is made once (where the collator's keys order
// names as its comparisons do), new files are merged in, and
// when the model reshuffles its rows the order stays and only the row
// numbers are looked up again. A big batch of new files is shown a slice
// at a time, the window answering in between.
class SortedFileRows : public QAbstractProxyModel {
public:
    explicit SortedFileRows(QObject *parent = nullptr);
    ~SortedFileRows() override;

    // Takes over the sorting of `source`, which must be a QFileSystemModel.
    void setSourceModel(QAbstractItemModel *source) override;

    QModelIndex mapToSource(const QModelIndex &proxy) const override;
    QModelIndex mapFromSource(const QModelIndex &source) const override;
    QModelIndex index(int row, int column, const QModelIndex &parent = {}) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

protected:
    // The words for a file's type, as the type column shows them.
    virtual QString fileType(const QModelIndex &source) const;

private:
    // One listed file, with what ordering it needs.
    struct File {
        QString name;
        std::optional<QCollatorSortKey> key; // made only where keys are used
        bool folder;
        qint64 number; // size or date, by the column sorted on
        QString type;
        QModelIndex source; // column 0; kept up to date with the model's row
        int row;            // in this proxy
    };
    // The files of one folder, made when its rows are first asked for.
    struct Rows {
        QPersistentModelIndex sourceParent; // invalid for the top
        bool top = false;
        bool unordered = false;                        // the order must be made again
        std::unordered_map<const void *, File> byNode; // by Qt's own file node
        std::vector<File *> bySource;                  // null: not shown yet
        std::size_t waiting = 0;                       // how many are not shown yet
        std::vector<File *> shown;                     // in order
    };

    Rows *findRows(const QModelIndex &sourceParent) const;
    Rows &rowsOf(const QModelIndex &sourceParent) const;
    bool readRows(Rows &rows) const;
    void reorder(Rows &rows) const;
    File describe(const QModelIndex &source) const;
    void measure(File &file, const QModelIndex &source) const;
    bool before(const File *a, const File *b) const;
    void order(Rows &rows) const;
    static void number(const std::vector<File *> &files, std::size_t from = 0);
    void forgetRemovedFolders();

    std::vector<File *> describeWaiting(Rows &rows, std::size_t most) const;
    void show(Rows &rows, const std::vector<File *> &fresh);
    void showSoon(Rows &rows);
    void showWaiting();

    void saveLayout();
    void restoreLayout();

    void sourceRowsInserted(const QModelIndex &parent, int first, int last);
    void sourceRowsAboutToBeRemoved(const QModelIndex &parent, int first, int last);
    void sourceRowsRemoved(const QModelIndex &parent, int first, int last);
    void sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                           const QList<int> &roles);
    void sourceLayoutChanged();

    QFileSystemModel *m_files = nullptr;
    QCollator m_collator;
    bool m_keysAgree = true; // else names are compared one pair at a time
    int m_column = 0;
    Qt::SortOrder m_order = Qt::AscendingOrder;
    mutable std::vector<std::unique_ptr<Rows>> m_rows;
    mutable QTimer m_waiting; // shows the next slice of files not shown yet
    // Across a layout change: the persistent rows and the files they show.
    QModelIndexList m_layoutRows;
    QList<QPersistentModelIndex> m_layoutFiles;
};

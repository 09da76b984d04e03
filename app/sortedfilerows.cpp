// SPDX-License-Identifier: MIT
#include "app/sortedfilerows.h"

#include <QDateTime>
#include <QFileSystemModel>

#include <algorithm>

namespace {

// The columns of a QFileSystemModel.
constexpr int nameColumn = 0;
constexpr int sizeColumn = 1;
constexpr int typeColumn = 2;
constexpr int dateColumn = 3;

// No column: Qt's model then keeps its rows in the order it found them.
constexpr int unsorted = -1;

// The most files shown in one go, a few milliseconds' work; Qt's model
// may add ten times as many at once.
constexpr std::size_t slice = 5000;

// Whether the collator's keys order names as its comparisons do: Wine's
// keys, for one, put "结果100" before "结果2".
bool keysAgree(const QCollator &collator)
{
    const QStringList names{"结果1.txt", "结果2.txt", "结果10.txt", "结果100.txt", "a", "B"};
    for (const QString &a : names) {
        for (const QString &b : names) {
            const int byKey = collator.sortKey(a).compare(collator.sortKey(b));
            if ((byKey < 0) != (collator.compare(a, b) < 0))
                return false;
        }
    }
    return true;
}

} // namespace

SortedFileRows::SortedFileRows(QObject *parent) : QAbstractProxyModel(parent)
{
    m_collator.setNumericMode(true);
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
    m_keysAgree = keysAgree(m_collator);
    m_waiting.setSingleShot(true);
    connect(&m_waiting, &QTimer::timeout, this, &SortedFileRows::showWaiting);
}

SortedFileRows::~SortedFileRows() = default;

void SortedFileRows::setSourceModel(QAbstractItemModel *source)
{
    beginResetModel();
    if (sourceModel())
        disconnect(sourceModel(), nullptr, this, nullptr);
    m_rows.clear();
    m_files = qobject_cast<QFileSystemModel *>(source);
    Q_ASSERT(m_files || !source);
    if (m_files)
        m_files->sort(unsorted);
    QAbstractProxyModel::setSourceModel(source);
    if (m_files) {
        using Model = QAbstractItemModel;
        connect(m_files, &Model::rowsInserted, this, &SortedFileRows::sourceRowsInserted);
        connect(m_files, &Model::rowsAboutToBeRemoved, this,
                &SortedFileRows::sourceRowsAboutToBeRemoved);
        connect(m_files, &Model::rowsRemoved, this, &SortedFileRows::sourceRowsRemoved);
        connect(m_files, &Model::dataChanged, this, &SortedFileRows::sourceDataChanged);
        connect(m_files, &Model::headerDataChanged, this, &Model::headerDataChanged);
        connect(m_files, &Model::layoutChanged, this, &SortedFileRows::sourceLayoutChanged);
        connect(m_files, &Model::modelAboutToBeReset, this, &SortedFileRows::beginResetModel);
        connect(m_files, &Model::modelReset, this, [this] {
            m_rows.clear();
            endResetModel();
        });
        // The chooser deletes its model before its views.
        connect(m_files, &QObject::destroyed, this, [this] {
            beginResetModel();
            m_files = nullptr;
            m_rows.clear();
            endResetModel();
        });
    }
    endResetModel();
}

SortedFileRows::Rows *SortedFileRows::findRows(const QModelIndex &sourceParent) const
{
    for (const auto &rows : m_rows) {
        if (sourceParent.isValid() ? rows->sourceParent == sourceParent : rows->top)
            return rows.get();
    }
    return nullptr;
}

SortedFileRows::Rows &SortedFileRows::rowsOf(const QModelIndex &sourceParent) const
{
    if (Rows *known = findRows(sourceParent))
        return *known;
    auto rows = std::make_unique<Rows>();
    rows->sourceParent = sourceParent;
    rows->top = !sourceParent.isValid();
    readRows(*rows);
    if (rows->waiting <= slice)
        describeWaiting(*rows, slice);
    else
        m_waiting.start();
    reorder(*rows);
    m_rows.push_back(std::move(rows));
    return *m_rows.back();
}

// Reads which file each of the model's rows now is. Files not seen before
// wait to be shown. Says whether the order must be made again: files went,
// or changed what they are sorted by. Files gone are kept, with no row in
// the model, until then.
bool SortedFileRows::readRows(Rows &rows) const
{
    const QModelIndex parent = rows.sourceParent;
    const int count = m_files->rowCount(parent);
    std::vector<File *> bySource(count);
    std::size_t known = 0;
    for (int row = 0; row < count; ++row) {
        const QModelIndex index = m_files->index(row, nameColumn, parent);
        const auto file = rows.byNode.find(index.internalPointer());
        if (file == rows.byNode.end())
            continue;
        file->second.source = index;
        bySource[row] = &file->second;
        ++known;
    }
    rows.bySource = std::move(bySource);
    rows.waiting = count - known;
    if (rows.byNode.size() != known) {
        for (auto &[node, file] : rows.byNode) {
            const int row = file.source.row();
            if (row < 0 || row >= count || rows.bySource[row] != &file)
                file.source = QModelIndex();
        }
        rows.unordered = true;
    }
    return rows.unordered;
}

// Drops the files gone from the model and orders the rest.
void SortedFileRows::reorder(Rows &rows) const
{
    std::erase_if(rows.byNode, [](const auto &entry) { return !entry.second.source.isValid(); });
    rows.shown.clear();
    std::copy_if(rows.bySource.begin(), rows.bySource.end(), std::back_inserter(rows.shown),
                 [](const File *file) { return file; });
    order(rows);
}

std::vector<SortedFileRows::File *> SortedFileRows::describeWaiting(Rows &rows,
                                                                    std::size_t most) const
{
    std::vector<File *> fresh;
    for (std::size_t row = 0; row < rows.bySource.size() && fresh.size() < most; ++row) {
        if (rows.bySource[row])
            continue;
        const QModelIndex index = m_files->index(int(row), nameColumn, rows.sourceParent);
        const auto [file, isNew] = rows.byNode.emplace(index.internalPointer(), describe(index));
        Q_ASSERT(isNew);
        rows.bySource[row] = &file->second;
        fresh.push_back(&file->second);
    }
    rows.waiting -= fresh.size();
    return fresh;
}

SortedFileRows::File SortedFileRows::describe(const QModelIndex &source) const
{
    const QString name = m_files->fileName(source);
    std::optional<QCollatorSortKey> key;
    if (m_keysAgree)
        key = m_collator.sortKey(name);
    File file{name, std::move(key), false, 0, {}, source, -1};
    measure(file, source);
    return file;
}

void SortedFileRows::measure(File &file, const QModelIndex &source) const
{
    file.folder = m_files->isDir(source);
    if (m_column == sizeColumn)
        file.number = m_files->size(source);
    else if (m_column == dateColumn)
        file.number = m_files->lastModified(source).toMSecsSinceEpoch();
    else if (m_column == typeColumn)
        file.type = fileType(source);
}

QString SortedFileRows::fileType(const QModelIndex &source) const
{
    return m_files->type(source);
}

bool SortedFileRows::before(const File *a, const File *b) const
{
    if (m_order == Qt::DescendingOrder)
        std::swap(a, b);
    // Folders come first by name and by size, as in Qt's own order.
    if ((m_column == nameColumn || m_column == sizeColumn) && a->folder != b->folder)
        return a->folder;
    if (m_column == typeColumn) {
        if (const int byType = m_collator.compare(a->type, b->type))
            return byType < 0;
    } else if (m_column != nameColumn && a->number != b->number) {
        return a->number < b->number;
    }
    const int byName =
        m_keysAgree ? a->key->compare(*b->key) : m_collator.compare(a->name, b->name);
    if (byName)
        return byName < 0;
    return a->name < b->name; // names the collator finds equal ("a", "A")
}

void SortedFileRows::order(Rows &rows) const
{
    std::sort(rows.shown.begin(), rows.shown.end(),
              [this](const File *a, const File *b) { return before(a, b); });
    number(rows.shown);
    rows.unordered = false;
}

void SortedFileRows::number(const std::vector<File *> &files, std::size_t from)
{
    for (std::size_t row = from; row < files.size(); ++row)
        files[row]->row = int(row);
}

QModelIndex SortedFileRows::mapToSource(const QModelIndex &proxy) const
{
    if (!proxy.isValid())
        return {};
    const auto *rows = static_cast<const Rows *>(proxy.internalPointer());
    // Qt's model makes a sibling in another column without looking it up.
    return rows->shown[proxy.row()]->source.siblingAtColumn(proxy.column());
}

QModelIndex SortedFileRows::mapFromSource(const QModelIndex &source) const
{
    if (!source.isValid() || !m_files)
        return {};
    Rows &rows = rowsOf(source.parent());
    const File *file = rows.bySource[source.row()];
    return file ? createIndex(file->row, source.column(), &rows) : QModelIndex();
}

QModelIndex SortedFileRows::index(int row, int column, const QModelIndex &parent) const
{
    if (row < 0 || column < 0 || column >= columnCount(parent))
        return {};
    Rows &rows = rowsOf(mapToSource(parent));
    if (std::size_t(row) >= rows.shown.size())
        return {};
    return createIndex(row, column, &rows);
}

QModelIndex SortedFileRows::parent(const QModelIndex &child) const
{
    if (!child.isValid())
        return {};
    return mapFromSource(static_cast<const Rows *>(child.internalPointer())->sourceParent);
}

int SortedFileRows::rowCount(const QModelIndex &parent) const
{
    if (!m_files || parent.column() > 0)
        return 0;
    return int(rowsOf(mapToSource(parent)).shown.size());
}

int SortedFileRows::columnCount(const QModelIndex &parent) const
{
    return m_files ? m_files->columnCount(mapToSource(parent)) : 0;
}

void SortedFileRows::sort(int column, Qt::SortOrder order)
{
    // Qt's model stays unsorted: it would compare every name afresh.
    saveLayout();
    m_column = column;
    m_order = order;
    for (const auto &rows : m_rows) {
        for (File *file : rows->bySource) {
            if (file)
                measure(*file, file->source);
        }
        this->order(*rows);
    }
    restoreLayout();
}

void SortedFileRows::saveLayout()
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    m_layoutRows = persistentIndexList();
    m_layoutFiles.clear();
    for (const QModelIndex &row : std::as_const(m_layoutRows)) {
        const auto *rows = static_cast<const Rows *>(row.internalPointer());
        const bool folderGone = !rows->top && !rows->sourceParent.isValid();
        m_layoutFiles << (folderGone ? QModelIndex() : mapToSource(row));
    }
}

void SortedFileRows::restoreLayout()
{
    QModelIndexList moved;
    for (const QPersistentModelIndex &file : std::as_const(m_layoutFiles))
        moved << mapFromSource(file);
    changePersistentIndexList(m_layoutRows, moved);
    m_layoutRows.clear();
    m_layoutFiles.clear();
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void SortedFileRows::sourceLayoutChanged()
{
    // The model has reshuffled its rows, and may have hidden some. Where
    // the same files are listed, the order stands and nothing is told.
    bool changed = false;
    for (const auto &rows : m_rows)
        changed = (!rows->top && !rows->sourceParent.isValid()) || readRows(*rows) || changed;
    if (changed) {
        saveLayout();
        forgetRemovedFolders();
        for (const auto &rows : m_rows) {
            if (rows->unordered)
                reorder(*rows);
        }
        restoreLayout();
    }
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        showSoon(*m_rows[i]);
}

void SortedFileRows::sourceRowsInserted(const QModelIndex &parent, int first, int last)
{
    // A folder nobody has looked into is read when first asked for.
    Rows *rows = findRows(parent);
    if (!rows)
        return;
    const int added = last - first + 1;
    // Qt's model adds its files at the end: rows after them are rare.
    for (auto later = rows->bySource.begin() + first; later != rows->bySource.end(); ++later) {
        if (*later)
            (*later)->source = m_files->index((*later)->source.row() + added, nameColumn, parent);
    }
    rows->bySource.insert(rows->bySource.begin() + first, added, nullptr);
    rows->waiting += added;
    showSoon(*rows);
}

void SortedFileRows::showSoon(Rows &rows)
{
    if (rows.waiting > slice)
        m_waiting.start();
    else if (rows.waiting > 0)
        show(rows, describeWaiting(rows, slice));
}

void SortedFileRows::showWaiting()
{
    // Showing files may make rows for other folders: no iterators here.
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        Rows &rows = *m_rows[i];
        if (rows.waiting > 0)
            show(rows, describeWaiting(rows, slice));
        if (rows.waiting > 0)
            m_waiting.start();
    }
}

// Shows `fresh` files at the end, then moves them into their places.
void SortedFileRows::show(Rows &rows, const std::vector<File *> &fresh)
{
    const auto count = rows.shown.size();
    beginInsertRows(mapFromSource(rows.sourceParent), int(count), int(count + fresh.size()) - 1);
    rows.shown.insert(rows.shown.end(), fresh.begin(), fresh.end());
    number(rows.shown, count);
    endInsertRows();
    saveLayout();
    const auto less = [this](const File *a, const File *b) { return before(a, b); };
    const auto middle = rows.shown.begin() + qsizetype(count);
    std::sort(middle, rows.shown.end(), less);
    std::inplace_merge(rows.shown.begin(), middle, rows.shown.end(), less);
    number(rows.shown);
    restoreLayout();
}

void SortedFileRows::sourceRowsAboutToBeRemoved(const QModelIndex &parent, int first, int last)
{
    Rows *rows = findRows(parent);
    if (!rows)
        return;
    std::vector<int> gone;
    for (int row = first; row <= last; ++row) {
        if (const File *file = rows->bySource[row])
            gone.push_back(file->row);
    }
    std::sort(gone.begin(), gone.end(), std::greater<>());
    const QModelIndex proxyParent = mapFromSource(parent);
    // Rows next to each other here go in one step, from the bottom up.
    for (std::size_t i = 0; i < gone.size();) {
        std::size_t j = i + 1;
        while (j < gone.size() && gone[j] == gone[j - 1] - 1)
            ++j;
        const int top = gone[j - 1];
        const int bottom = gone[i];
        beginRemoveRows(proxyParent, top, bottom);
        rows->shown.erase(rows->shown.begin() + top, rows->shown.begin() + bottom + 1);
        number(rows->shown, top);
        endRemoveRows();
        i = j;
    }
}

void SortedFileRows::sourceRowsRemoved(const QModelIndex &parent, int first, int last)
{
    if (Rows *rows = findRows(parent)) {
        const auto from = rows->bySource.begin() + first;
        const auto to = rows->bySource.begin() + last + 1;
        std::vector<const void *> nodes;
        for (auto file = from; file != to; ++file) {
            if (*file)
                nodes.push_back((*file)->source.internalPointer());
        }
        rows->waiting -= std::size_t(to - from) - nodes.size();
        rows->bySource.erase(from, to);
        for (const void *node : nodes)
            rows->byNode.erase(node);
        for (std::size_t row = first; row < rows->bySource.size(); ++row) {
            if (File *file = rows->bySource[row])
                file->source = m_files->index(int(row), nameColumn, parent);
        }
    }
    forgetRemovedFolders();
}

void SortedFileRows::forgetRemovedFolders()
{
    // Rows kept for a folder that has gone would be found for the top.
    std::erase_if(m_rows,
                  [](const auto &rows) { return !rows->top && !rows->sourceParent.isValid(); });
}

void SortedFileRows::sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                                       const QList<int> &roles)
{
    Rows *rows = findRows(topLeft.parent());
    if (!rows)
        return;
    int top = int(rows->shown.size());
    int bottom = -1;
    for (int row = topLeft.row(); row <= bottomRight.row(); ++row) {
        File *file = rows->bySource[row];
        if (!file)
            continue; // not shown yet
        top = std::min(top, file->row);
        bottom = std::max(bottom, file->row);
        // Qt's model reshuffles its rows after such news: the order is
        // made again then.
        const File was = *file;
        measure(*file, file->source);
        rows->unordered = rows->unordered || file->folder != was.folder
                          || file->number != was.number || file->type != was.type;
    }
    if (top > bottom)
        return;
    emit dataChanged(createIndex(top, topLeft.column(), rows),
                     createIndex(bottom, bottomRight.column(), rows), roles);
}

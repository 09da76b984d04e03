// SPDX-License-Identifier: MIT
#include "app/savefilepage.h"
#include "ui_frmmain.h"

#include "app/messages.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace {

// Why a dropped file cannot be read, as a sentence with the path as %1, or
// "" when it can. Reading a path that names another file would create that
// file empty (a missing save file is created), and 修改文件 would then
// write into it.
QString refusalOfDroppedFile(const QUrl &url)
{
    // A URL carries a name's bytes percent-encoded. Bytes that are not
    // UTF-8 (GBK names from a Chinese Windows zip) decode to U+FFFD, and
    // the path, given back to the system as UTF-8 as Qt gives every name,
    // names another file. Windows makes its URLs from UTF-16 paths, so
    // there the two always agree.
    const QString path = url.toLocalFile();
    const QByteArray named =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (named != url.path(QUrl::FullyDecoded).toUtf8())
        return messages::droppedNameNotUtf8.toString().arg(QDir::toNativeSeparators(path));
    // Gone between the drag and the drop: a file manager moved it, or it
    // was on a removed disk.
    if (!QFileInfo::exists(path))
        return messages::droppedFileMissing.toString().arg(QDir::toNativeSeparators(path));
    return {};
}

} // namespace

QString SaveFilePage::droppedSaveFile(const QDropEvent &event) const
{
    // Only as a copy: a file manager may delete the source of a move.
    if (ui->SSTab1->currentWidget() != ui->saveFilePage
        || !(event.possibleActions() & Qt::CopyAction))
        return {};
    const QList<QUrl> urls = event.mimeData()->urls();
    if (urls.size() != 1 || !urls[0].isLocalFile())
        return {};
    const QString path = urls[0].toLocalFile();
    if (path.isEmpty() || QFileInfo(path).isDir())
        return {};
    return path;
}

void SaveFilePage::acceptSaveFileDrag(QDropEvent *event)
{
    if (droppedSaveFile(*event).isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void SaveFilePage::dropSaveFile(QDropEvent *event)
{
    const QString path = droppedSaveFile(*event);
    acceptSaveFileDrag(event);
    if (path.isEmpty())
        return;
    // After the drop has ended: an error message shown inside it would keep
    // the file manager waiting for the drop to finish. The file is checked
    // there too, just before it is read.
    const QUrl url = event->mimeData()->urls().constFirst();
    QMetaObject::invokeMethod(
        this,
        [this, url] {
            const QString refusal = refusalOfDroppedFile(url);
            if (refusal.isEmpty())
                useSaveFile(url.toLocalFile());
            else
                showError(refusal);
        },
        Qt::QueuedConnection);
}

// Dragged files reaching the window, and the page's line edits, which see
// them as the window does: an editable one would otherwise insert its URL
// as text.
bool SaveFilePage::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto *drop = static_cast<QDropEvent *>(event);
    if (!drop->mimeData()->hasUrls())
        return QObject::eventFilter(watched, event);
    if (type == QEvent::Drop)
        dropSaveFile(drop);
    else
        acceptSaveFileDrag(drop);
    return true;
}

// SPDX-License-Identifier: MIT
#include "app/droppedfile.h"

#include "app/messages.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

QDropEvent *fileDrag(QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return nullptr;
    auto *drop = static_cast<QDropEvent *>(event);
    return drop->mimeData()->hasUrls() ? drop : nullptr;
}

QString draggedFile(const QDropEvent &event)
{
    if (!(event.possibleActions() & Qt::CopyAction))
        return {};
    const QList<QUrl> urls = event.mimeData()->urls();
    if (urls.size() != 1 || !urls[0].isLocalFile())
        return {};
    const QString path = urls[0].toLocalFile();
    if (path.isEmpty() || QFileInfo(path).isDir())
        return {};
    return path;
}

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

// SPDX-License-Identifier: MIT
#include "app/frmmain.h"
#include "ui_frmmain.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

QString frmMain::droppedSaveFile(const QDropEvent &event) const
{
    // Only as a copy: a file manager may delete the source of a move.
    if (ui->SSTab1->currentIndex() != 2 || !(event.possibleActions() & Qt::CopyAction))
        return {};
    const QList<QUrl> urls = event.mimeData()->urls();
    if (urls.size() != 1 || !urls[0].isLocalFile())
        return {};
    const QString path = urls[0].toLocalFile();
    if (path.isEmpty() || QFileInfo(path).isDir())
        return {};
    return path;
}

void frmMain::acceptSaveFileDrag(QDropEvent *event)
{
    if (droppedSaveFile(*event).isEmpty()) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void frmMain::dragEnterEvent(QDragEnterEvent *event)
{
    acceptSaveFileDrag(event);
}

void frmMain::dragMoveEvent(QDragMoveEvent *event)
{
    acceptSaveFileDrag(event);
}

void frmMain::dropEvent(QDropEvent *event)
{
    const QString path = droppedSaveFile(*event);
    acceptSaveFileDrag(event);
    if (path.isEmpty())
        return;
    // After the drop has ended: an error message shown inside it would keep
    // the file manager waiting for the drop to finish.
    QMetaObject::invokeMethod(
        this, [this, path] { useSaveFile(path); }, Qt::QueuedConnection);
}

// The page's line edits see a dragged file as the window does; an editable
// one would otherwise insert its URL as text.
bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QMainWindow::eventFilter(watched, event);
    auto *drop = static_cast<QDropEvent *>(event);
    if (!drop->mimeData()->hasUrls())
        return QMainWindow::eventFilter(watched, event);
    if (type == QEvent::Drop)
        dropEvent(drop);
    else
        acceptSaveFileDrag(drop);
    return true;
}

// SPDX-License-Identifier: MIT
#include "app/savefilepage.h"
#include "ui_frmmain.h"

#include "app/droppedfile.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

QString SaveFilePage::droppedSaveFile(const QDropEvent &event) const
{
    if (ui->SSTab1->currentWidget() != ui->saveFilePage)
        return {};
    return draggedFile(event);
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
    // Reading a path that names another file would create that file empty
    // (a missing save file is created), and 修改文件 would then write into
    // it. After the drop has ended: an error message shown inside it would keep
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
    QDropEvent *drop = fileDrag(event);
    if (!drop)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Drop)
        dropSaveFile(drop);
    else
        acceptSaveFileDrag(drop);
    return true;
}

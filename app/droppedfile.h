// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QDropEvent;
class QEvent;
class QUrl;

// `event` as a drag or drop that carries URLs, the kind a dragged file
// comes as, or null for any other event.
QDropEvent *fileDrag(QEvent *event);

// The one local file a drag carries, or "": several files, a folder, a
// URL that is not a file, or a drag that can only move (a file manager
// may delete the source of a move) are not taken.
QString draggedFile(const QDropEvent &event);

// Why a dropped file cannot be used, as a sentence with the path, or ""
// when it can. Asked after the drop, just before the file is opened.
QString refusalOfDroppedFile(const QUrl &url);

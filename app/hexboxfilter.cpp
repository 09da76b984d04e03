// SPDX-License-Identifier: MIT
#include "app/hexboxfilter.h"

#include "app/messages.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

#include <memory>

HexBoxFilter::HexBoxFilter(Paste paste, HasFill hasFill, UndoFill undoFill,
                           QList<QAction *> actions, QObject *parent)
    : QObject(parent), m_paste(std::move(paste)), m_hasFill(std::move(hasFill)),
      m_undoFill(std::move(undoFill)), m_actions(std::move(actions))
{
}

void HexBoxFilter::watch(QLineEdit *box)
{
    box->installEventFilter(this);
}

bool HexBoxFilter::pasteFrom(QLineEdit *box, QClipboard::Mode mode) const
{
    if (!box->isReadOnly())
        m_paste(box, QGuiApplication::clipboard()->text(mode));
    return true;
}

bool HexBoxFilter::undoIn(QLineEdit *box) const
{
    if (m_hasFill())
        m_undoFill();
    else
        box->undo();
    return true;
}

namespace {

// A dragged text, not a dragged file: files are the window's (a save file
// dropped onto the page).
bool isTextDrag(const QDropEvent &event)
{
    return event.mimeData()->hasText() && !event.mimeData()->hasUrls();
}

} // namespace

bool HexBoxFilter::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Paste))
            return pasteFrom(box, QClipboard::Clipboard);
        if (key->matches(QKeySequence::Undo))
            return undoIn(box);
        return false;
    }
    case QEvent::MouseButtonRelease:
        // X11 pastes the selection with the middle button.
        if (static_cast<QMouseEvent *>(event)->button() != Qt::MiddleButton
            || !QGuiApplication::clipboard()->supportsSelection())
            return false;
        box->setCursorPosition(
            box->cursorPositionAt(static_cast<QMouseEvent *>(event)->position().toPoint()));
        return pasteFrom(box, QClipboard::Selection);
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDropEvent *>(event);
        if (!isTextDrag(*drag) || box->isReadOnly())
            return false;
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        if (!isTextDrag(*drop) || box->isReadOnly())
            return false;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        box->setFocus(Qt::OtherFocusReason);
        box->deselect();
        box->setCursorPosition(box->cursorPositionAt(drop->position().toPoint()));
        m_paste(box, drop->mimeData()->text());
        return true;
    }
    case QEvent::ContextMenu:
        showMenu(box, static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    default: return false;
    }
}

namespace {

// Qt names the items from 6.5 on; before, their texts end with the shortcut.
QAction *itemOf(const QMenu &menu, const char *name, QKeySequence::StandardKey key)
{
    const QString shortcut = u'\t' + QKeySequence(key).toString(QKeySequence::NativeText);
    for (QAction *item : menu.actions()) {
        if (item->objectName() == QLatin1String(name) || item->text().endsWith(shortcut))
            return item;
    }
    return nullptr;
}

} // namespace

void HexBoxFilter::showMenu(QLineEdit *box, const QPoint &globalPos)
{
    const std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
    // The box's own paste and undo items call QLineEdit directly; they go
    // where Ctrl+V and Ctrl+Z go.
    if (QAction *pasteItem = itemOf(*menu, "edit-paste", QKeySequence::Paste)) {
        pasteItem->disconnect(box);
        connect(pasteItem, &QAction::triggered, box,
                [this, box] { pasteFrom(box, QClipboard::Clipboard); });
    }
    if (QAction *undoItem = itemOf(*menu, "edit-undo", QKeySequence::Undo)) {
        const QString text = undoItem->text();
        const qsizetype tab = text.indexOf(u'\t');
        undoItem->setText(messages::boxUndo.toString() + (tab < 0 ? QString() : text.mid(tab)));
        undoItem->setEnabled(undoItem->isEnabled() || m_hasFill());
        undoItem->disconnect(box);
        connect(undoItem, &QAction::triggered, box, [this, box] { undoIn(box); });
    }
    menu->addSeparator();
    menu->addActions(m_actions);
    menu->exec(globalPos);
}

// SPDX-License-Identifier: MIT
#include "app/hexboxfilter.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

#include <memory>

HexBoxFilter::HexBoxFilter(Paste paste, QList<QAction *> actions, QObject *parent)
    : QObject(parent), m_paste(std::move(paste)), m_actions(std::move(actions))
{
}

void HexBoxFilter::watch(QLineEdit *box)
{
    box->installEventFilter(this);
}

bool HexBoxFilter::offerPaste(QLineEdit *box, QClipboard::Mode mode) const
{
    return !box->isReadOnly() && m_paste(box, QGuiApplication::clipboard()->text(mode));
}

bool HexBoxFilter::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        return static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste)
               && offerPaste(box, QClipboard::Clipboard);
    case QEvent::MouseButtonRelease:
        // X11 pastes the selection with the middle button.
        return static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton
               && QGuiApplication::clipboard()->supportsSelection()
               && offerPaste(box, QClipboard::Selection);
    case QEvent::ContextMenu:
        showMenu(box, static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    default: return false;
    }
}

namespace {

// Qt names the item from 6.5 on; before, its text ends with the shortcut.
QAction *pasteItemOf(const QMenu &menu)
{
    const QString shortcut =
        u'\t' + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction *item : menu.actions()) {
        if (item->objectName() == QStringLiteral("edit-paste") || item->text().endsWith(shortcut))
            return item;
    }
    return nullptr;
}

} // namespace

void HexBoxFilter::showMenu(QLineEdit *box, const QPoint &globalPos)
{
    const std::unique_ptr<QMenu> menu(box->createStandardContextMenu());
    // The box's own paste item calls QLineEdit::paste() directly; it is
    // offered to `paste` first like every other paste.
    if (QAction *pasteItem = pasteItemOf(*menu)) {
        pasteItem->disconnect(box);
        connect(pasteItem, &QAction::triggered, box, [this, box] {
            if (!offerPaste(box, QClipboard::Clipboard))
                box->paste();
        });
    }
    menu->addSeparator();
    menu->addActions(m_actions);
    menu->exec(globalPos);
}

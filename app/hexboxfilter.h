// SPDX-License-Identifier: MIT
#pragma once

#include <QClipboard>
#include <QList>
#include <QObject>

#include <functional>

class QAction;
class QLineEdit;

// What the hexadecimal boxes do beyond a line edit's own editing. Every
// paste (Ctrl+V, Shift+Insert, the menu's paste item, the middle button)
// and every text dropped onto a box goes to `paste`, with the box's cursor
// where the text goes; a drop copies, it never moves text out of a box.
// Ctrl+Z and the menu's undo item undo the page's last fill of the boxes
// (`undoFill`) while `hasFill` says there is one, else the box's own edit.
// The context menu is the box's own with the page's actions below it.
class HexBoxFilter : public QObject {
    Q_OBJECT

public:
    using Paste = std::function<void(QLineEdit *box, const QString &text)>;
    using HasFill = std::function<bool()>;
    using UndoFill = std::function<void()>;

    HexBoxFilter(Paste paste, HasFill hasFill, UndoFill undoFill, QList<QAction *> actions,
                 QObject *parent);

    void watch(QLineEdit *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool pasteFrom(QLineEdit *box, QClipboard::Mode mode) const;
    bool undoIn(QLineEdit *box) const;
    void showMenu(QLineEdit *box, const QPoint &globalPos);

    Paste m_paste;
    HasFill m_hasFill;
    UndoFill m_undoFill;
    QList<QAction *> m_actions;
};

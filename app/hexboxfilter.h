// SPDX-License-Identifier: MIT
#pragma once

#include <QClipboard>
#include <QList>
#include <QObject>

#include <functional>

class QAction;
class QLineEdit;

// What the hexadecimal boxes do beyond a line edit's own editing. A paste
// (Ctrl+V, Shift+Insert, the menu's paste item, the middle button) is
// offered to `paste` first, which either takes the text whole and returns
// true or leaves it to the box. The context menu is the box's own with the
// page's actions below it.
class HexBoxFilter : public QObject {
public:
    using Paste = std::function<bool(QLineEdit *box, const QString &text)>;

    HexBoxFilter(Paste paste, QList<QAction *> actions, QObject *parent);

    void watch(QLineEdit *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool offerPaste(QLineEdit *box, QClipboard::Mode mode) const;
    void showMenu(QLineEdit *box, const QPoint &globalPos);

    Paste m_paste;
    QList<QAction *> m_actions;
};

// SPDX-License-Identifier: MIT
#pragma once

#include <QAccessible>
#include <QStringList>
#include <QWidget>

// The controls of `window` that take the keyboard focus but give a screen
// reader no name to say.
inline QStringList unnamedControls(QWidget *window)
{
    QStringList unnamed;
    for (QWidget *control : window->findChildren<QWidget *>()) {
        if (control->focusPolicy() == Qt::NoFocus)
            continue;
        const QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control);
        if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
            unnamed.append(control->objectName() + u':'
                           + QString::fromLatin1(control->metaObject()->className()));
    }
    return unnamed;
}

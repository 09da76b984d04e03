// SPDX-License-Identifier: MIT
#pragma once

#include <QStyledItemDelegate>

// Draws each row's text on one line, left to right, character after
// character in the order the row holds them: a right-to-left override, a
// Hebrew letter beside the digits of a code or a line feed cannot turn
// the rest of the line around or push it out of sight. Characters that
// would (the bidi controls, line and paragraph breaks), and those that draw
// nothing or draw on their neighbour (controls, format characters,
// combining marks), are drawn as their code, "<U+202E>". Only the drawing changes; the model's
// text, which copying, export and screen readers take, stays as it is.
class LeftToRightDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Called for the painted rows only, so a list of millions of lines
    // pays for what is on screen.
    QString displayText(const QVariant &value, const QLocale &locale) const override;
};

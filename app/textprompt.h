// SPDX-License-Identifier: MIT
#pragma once

#include <QInputDialog>

#include <memory>

// The small dialog that asks for one line of text: a label, a text field
// that takes an input method, and the buttons 确定 and 取消, named here so
// that they are Chinese whatever translation is loaded.
std::unique_ptr<QInputDialog> textDialog(QWidget *parent, const QString &title,
                                         const QString &label);

// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QWidget;

// Every modal dialog of the program goes through here, so that tests can
// script the answers. QtPrompts shows the real dialogs.
class Prompts {
public:
    virtual ~Prompts() = default;

    // A chosen path, or "" when the user cancelled. A filter is description
    // and pattern separated by "|": "文本文件(*.txt)|*.txt", several such
    // pairs in a row for several file types. Where `selectedFilter` is
    // given, the chooser starts on that pair ("码表 UTF-8(*.tbl)|*.tbl") and
    // it is set to the pair chosen.
    virtual QString openFileName(QWidget *parent, const QString &filter) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &filter,
                                 const QString &proposedPath, QString *selectedFilter) = 0;

    // A message box with one OK button and no icon.
    virtual void message(QWidget *parent, const QString &title, const QString &text) = 0;

    // A question with 是 and 否, 否 the default: true only for 是. Asked
    // before anything that writes a file the user did not just choose.
    virtual bool question(QWidget *parent, const QString &title, const QString &text) = 0;

    // A line typed into a one-line dialog (QtPrompts shows textDialog(),
    // textprompt.h), or "" when the user cancelled.
    virtual QString text(QWidget *parent, const QString &title, const QString &label) = 0;
};

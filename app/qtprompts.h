// SPDX-License-Identifier: MIT
#pragma once

#include "app/nameonlyiconprovider.h"
#include "app/prompts.h"

#include <QFileDialog>

#include <memory>

class QMessageBox;

class QtPrompts : public Prompts {
public:
    QString openFileName(QWidget *parent, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &title, const QString &filter,
                         const QString &proposedPath, QString *selectedFilter) override;
    void message(QWidget *parent, const QString &title, const QString &text) override;
    bool question(QWidget *parent, const QString &title, const QString &text) override;

    // The dialogs as they are shown, for tests to look at. Qt's own
    // choosers, never the desktop's: only these are sure to speak Chinese
    // and to leave the files they list unread.
    std::unique_ptr<QFileDialog> fileDialog(QWidget *parent, QFileDialog::AcceptMode mode,
                                            const QString &title, const QString &filter,
                                            const QString &proposedPath);
    static std::unique_ptr<QMessageBox> messageBox(QWidget *parent, const QString &title,
                                                   const QString &text);
    static std::unique_ptr<QMessageBox> questionBox(QWidget *parent, const QString &title,
                                                    const QString &text);

private:
    NameOnlyIconProvider m_icons;
};

// A filter as the window keeps it, description and pattern separated by
// "|" ("文本文件(*.txt)|*.txt"), in the form a Qt chooser shows once:
// "文本文件(*.txt)". A description that already names its pattern, or is
// the pattern, is shown as it is; any other gets the pattern in brackets.
QString chooserFilter(const QString &filter);

// SPDX-License-Identifier: MIT
#pragma once

#include "app/nameonlyiconprovider.h"
#include "app/prompts.h"

#include <QFileDialog>

#include <functional>
#include <memory>

class QMessageBox;

class QtPrompts : public Prompts {
public:
    QString openFileName(QWidget *parent, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &title, const QString &filter,
                         const QString &proposedPath, QString *selectedFilter) override;
    void message(QWidget *parent, const QString &title, const QString &text) override;
    bool question(QWidget *parent, const QString &title, const QString &text) override;
    QString text(QWidget *parent, const QString &title, const QString &label) override;

    // The dialogs as they are shown, for tests to look at. fileDialog() is
    // Qt's own chooser, shown where the choosers are not the system's
    // (nativedialogs.h): only it is sure to speak Chinese and to leave the
    // files it lists unread. nativeFileDialog() is the system's dialog with
    // the same title, filter, name and mode; what it returns is checked by
    // checkedChoice().
    std::unique_ptr<QFileDialog> fileDialog(QWidget *parent, QFileDialog::AcceptMode mode,
                                            const QString &title, const QString &filter,
                                            const QString &proposedPath);
    static std::unique_ptr<QFileDialog>
    nativeFileDialog(QWidget *parent, QFileDialog::AcceptMode mode, const QString &title,
                     const QString &filter, const QString &proposedPath);
    static std::unique_ptr<QMessageBox> messageBox(QWidget *parent, const QString &title,
                                                   const QString &text);
    static std::unique_ptr<QMessageBox> questionBox(QWidget *parent, const QString &title,
                                                    const QString &text);

private:
    // `selectedFilter`, when given, is the filter shown first and the one
    // chosen, as a "description|pattern" pair of `filter`.
    QString chosenFile(QWidget *parent, QFileDialog::AcceptMode mode, const QString &title,
                       const QString &filter, const QString &proposedPath,
                       QString *selectedFilter = nullptr);

    NameOnlyIconProvider m_icons;
};

// A filter as the window keeps it, description and pattern separated by
// "|" ("文本文件(*.txt)|*.txt"), in the form a Qt chooser shows once:
// "文本文件(*.txt)". A description that already names its pattern, or is
// the pattern, is shown as it is; any other gets the pattern in brackets.
QString chooserFilter(const QString &filter);

// The path a system dialog gave, asked of `choose` again until it is ""
// (cancelled) or a path the program may use as it stands
// (typedFileNameProblem()); each refusal is told with prompts.message()
// under "错误!" before the dialog is offered again.
QString checkedChoice(Prompts &prompts, QWidget *parent, const std::function<QString()> &choose);

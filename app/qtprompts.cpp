// SPDX-License-Identifier: MIT
#include "app/qtprompts.h"

#include "app/chinesefilecolumns.h"
#include "app/chooserdialog.h"
#include "app/messages.h"
#include "app/nativedialogs.h"
#include "app/textprompt.h"
#include "app/typedfilename.h"

#include <QListView>
#include <QMessageBox>
#include <QTreeView>

QString chooserFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString &description = parts[i];
        const QString &pattern = parts[i + 1];
        if (description == pattern || description.endsWith(u'(' + pattern + u')'))
            filters.append(description);
        else
            filters.append(description + QStringLiteral(" (") + pattern + u')');
    }
    return filters.join(QStringLiteral(";;"));
}

std::unique_ptr<QFileDialog> QtPrompts::fileDialog(QWidget *parent, QFileDialog::AcceptMode mode,
                                                   const QString &title, const QString &filter,
                                                   const QString &proposedPath)
{
    auto dialog =
        std::make_unique<ChooserDialog>(parent, title, proposedPath, chooserFilter(filter));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setIconProvider(&m_icons);
    dialog->setProxyModel(new ChineseFileColumns(dialog.get()));
    // Every row is one line of the same height: a big folder is laid out
    // at once rather than name by name.
    for (QListView *list : dialog->findChildren<QListView *>())
        list->setUniformItemSizes(true);
    for (QTreeView *tree : dialog->findChildren<QTreeView *>())
        tree->setUniformRowHeights(true);
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    return dialog;
}

std::unique_ptr<QFileDialog>
QtPrompts::nativeFileDialog(QWidget *parent, QFileDialog::AcceptMode mode, const QString &title,
                            const QString &filter, const QString &proposedPath)
{
    // No default suffix: a name is taken as typed. Replacing a file is
    // asked by the dialog itself.
    auto dialog = std::make_unique<QFileDialog>(parent, title, proposedPath, chooserFilter(filter));
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                        : QFileDialog::AnyFile);
    return dialog;
}

QString checkedChoice(Prompts &prompts, QWidget *parent, const std::function<QString()> &choose)
{
    for (;;) {
        const QString path = choose();
        const QString problem = path.isEmpty() ? QString() : typedFileNameProblem(path);
        if (problem.isEmpty())
            return path;
        prompts.message(parent, messages::errorTitle.toString(), problem);
    }
}

QString QtPrompts::chosenFile(QWidget *parent, QFileDialog::AcceptMode mode, const QString &title,
                              const QString &filter, const QString &proposedPath,
                              QString *selectedFilter)
{
    const auto ask = [&](QFileDialog &dialog) {
        if (selectedFilter && !selectedFilter->isEmpty())
            dialog.selectNameFilter(chooserFilter(*selectedFilter));
        if (dialog.exec() != QDialog::Accepted)
            return QString();
        if (selectedFilter) {
            // Back from the form shown to the pair it was made from.
            const QStringList parts = filter.split(u'|');
            for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
                const QString pair = parts[i] + u'|' + parts[i + 1];
                if (chooserFilter(pair) == dialog.selectedNameFilter())
                    *selectedFilter = pair;
            }
        }
        return dialog.selectedFiles().value(0);
    };
    // Qt's chooser checks a typed name itself, before it closes.
    if (!choosersAreNative())
        return ask(*fileDialog(parent, mode, title, filter, proposedPath));
    const auto dialog = nativeFileDialog(parent, mode, title, filter, proposedPath);
    return checkedChoice(*this, parent, [&] { return ask(*dialog); });
}

QString QtPrompts::openFileName(QWidget *parent, const QString &filter)
{
    return chosenFile(parent, QFileDialog::AcceptOpen, QString(), filter, QString());
}

QString QtPrompts::saveFileName(QWidget *parent, const QString &title, const QString &filter,
                                const QString &proposedPath, QString *selectedFilter)
{
    return chosenFile(parent, QFileDialog::AcceptSave, title, filter, proposedPath, selectedFilter);
}

std::unique_ptr<QMessageBox> QtPrompts::messageBox(QWidget *parent, const QString &title,
                                                   const QString &text)
{
    auto box =
        std::make_unique<QMessageBox>(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
    // Texts hold paths, and a path may hold "<b>": it is shown as it is,
    // and the reason stays on its own line.
    box->setTextFormat(Qt::PlainText);
    return box;
}

void QtPrompts::message(QWidget *parent, const QString &title, const QString &text)
{
    messageBox(parent, title, text)->exec();
}

std::unique_ptr<QMessageBox> QtPrompts::questionBox(QWidget *parent, const QString &title,
                                                    const QString &text)
{
    auto box = messageBox(parent, title, text);
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    // A held key or a stray Return never answers yes.
    box->setDefaultButton(QMessageBox::No);
    box->setEscapeButton(QMessageBox::No);
    return box;
}

bool QtPrompts::question(QWidget *parent, const QString &title, const QString &text)
{
    return questionBox(parent, title, text)->exec() == QMessageBox::Yes;
}

QString QtPrompts::text(QWidget *parent, const QString &title, const QString &label)
{
    const auto dialog = textDialog(parent, title, label);
    return dialog->exec() == QDialog::Accepted ? dialog->textValue() : QString();
}

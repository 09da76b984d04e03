// SPDX-License-Identifier: MIT
#pragma once

#include "gamefile/filesearch.h"
#include "gamefile/patchfile.h"
#include "gamefile/query.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace Ui {
class frmFind;
}
namespace convert {
class Cp936;
}
class BackgroundSearch;
class HitRows;
class Prompts;
class ResultList;

// The find window, 在文件中查找: finds a text or a code line in any file,
// a disc image of gigabytes included, lists each hit as the text the game
// reads there, replaces hits in place with bytes of the same length and
// takes replacements back. The search runs on a thread of its own
// (BackgroundSearch); replacing writes only the hits' bytes, after reading
// each again (gamefile/patchfile.h).
//
// frmMain keeps one frmFind for the whole run: closing the window stops a
// search and hides it, keeping its hits and what can be taken back. It has
// no parent, like the about window.
class frmFind : public QWidget {
    Q_OBJECT

public:
    // `exportList` exports a list as the main window's lists export, with
    // its dialogs over the window given.
    frmFind(Prompts &prompts, convert::Cp936 &codec,
            std::function<void(const ResultList &, QWidget *)> exportList);
    ~frmFind() override;

    // Shows the window without blocking and brings it to the front; an
    // empty file field takes `saveFile` (the save-file page's file).
    void showWindow(const QString &saveFile);

protected:
    void closeEvent(QCloseEvent *event) override;
    // A file dropped onto the window or its fields.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The file, the search and its progress (frmfind.cpp).
    void cmdBrowse_Click();
    void cmdFind_Click();
    void cmdCancel_Click();
    void dropFile(QDropEvent *event);
    void addHits(std::vector<gamefile::Hit> &&hits);
    void showProgress(qint64 bytesDone);
    void searchEnded(const gamefile::SearchEnd &end);
    void updateButtons();
    gamefile::QueryForm form() const;
    void showError(const QString &text);

    // Replacing hits and taking replacements back (frmfind-replace.cpp).
    void cmdReplaceSelected_Click();
    void cmdReplaceAll_Click();
    void cmdUndo_Click();
    // The bytes each hit gets, or nothing after a message.
    std::optional<QByteArray> replacementBytes(bool quiet);
    void updatePreview();
    void replaceHits(const QList<qint64> &offsets, const QByteArray &bytes);
    // The message of a failed patch; `writtenBefore` says how many hits
    // were done.
    QString patchFailureText(const gamefile::PatchError &error, const QString &path,
                             QStringView writtenBefore, qsizetype written) const;

    std::unique_ptr<Ui::frmFind> ui;
    Prompts &m_prompts;
    convert::Cp936 &m_codec;
    std::function<void(const ResultList &, QWidget *)> m_exportList;
    std::unique_ptr<BackgroundSearch> m_search;
    HitRows *m_hits = nullptr; // the list's rows
    // What the listed hits were found for.
    QString m_searchedPath;
    QByteArray m_searchedQuery;
    qint64 m_searchedSize = 0;
    qint64 m_bytesDone = 0;

    // A replacement of this run, so that it can be taken back.
    struct Replacement {
        QString path;
        QList<qint64> offsets;
        QByteArray before;  // what the hits held, read in the same open
        QByteArray written; // what they hold since
    };
    std::vector<Replacement> m_replacements; // newest last
};

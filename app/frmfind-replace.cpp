// SPDX-License-Identifier: MIT
#include "app/frmfind.h"
#include "ui_frmfind.h"

#include "app/hitrows.h"
#include "app/messages.h"
#include "app/messagetext.h"
#include "app/prompts.h"
#include "convert/cp936.h"
#include "gamefile/contexttext.h"

#include <QDir>
#include <QThread>

namespace {

// Bytes as a code line, a two-byte character's code as one token
// ("C0EE CBC4 00 00"), as the character page's list copies codes.
QString codeLine(const QByteArray &bytes)
{
    QString line;
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        if (!line.isEmpty())
            line += u' ';
        line += QString::number(quint8(bytes[at]), 16).toUpper().rightJustified(2, u'0');
        if (convert::isLeadByte(quint8(bytes[at])) && at + 1 < bytes.size()) {
            ++at;
            line += QString::number(quint8(bytes[at]), 16).toUpper().rightJustified(2, u'0');
        }
    }
    return line;
}

// Runs `patch` on a thread of its own and gives its end to `done` on the
// window's thread: a sync of a large file can take seconds.
void patchInBackground(QObject *window, std::function<gamefile::PatchEnd()> patch,
                       std::function<void(const gamefile::PatchEnd &)> done)
{
    auto end = std::make_shared<gamefile::PatchEnd>();
    QThread *thread = QThread::create([end, patch = std::move(patch)] { *end = patch(); });
    QObject::connect(thread, &QThread::finished, window, [thread, end, done = std::move(done)] {
        thread->deleteLater();
        done(*end);
    });
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    thread->start();
}

} // namespace

std::optional<QByteArray> frmFind::replacementBytes(bool quiet)
{
    if (m_searchedQuery.isEmpty()) {
        if (!quiet)
            showError(messages::replaceNoSearch.toString());
        return std::nullopt;
    }
    const QString typed = ui->txtReplace->text();
    const gamefile::QueryBytes own = gamefile::queryBytes(m_codec, typed, form());
    // An empty replacement is a run of padding: it blanks the hit out.
    if (own.refusal && own.refusal != gamefile::QueryRefusal::Empty) {
        if (!quiet)
            showError(own.refusal == gamefile::QueryRefusal::Unencodable
                          ? messages::replaceUnencodable.toString().arg(quotedInMessage(typed),
                                                                        namedInMessage(own.what))
                          : messages::replaceNotACode.toString().arg(quotedInMessage(own.what)));
        return std::nullopt;
    }
    const char pad = ui->optPad20->isChecked() ? ' ' : '\0';
    const gamefile::Replacement padded =
        gamefile::padReplacement(own.bytes, m_searchedQuery.size(), pad);
    if (padded.tooLong) {
        if (!quiet)
            showError(messages::replaceTooLong.toString().arg(
                QString::number(padded.typedSize), QString::number(m_searchedQuery.size())));
        return std::nullopt;
    }
    return padded.bytes;
}

void frmFind::updatePreview()
{
    const std::optional<QByteArray> bytes = replacementBytes(true);
    // Nothing to show before a replacement is typed or a hit selected.
    const bool typed = !ui->txtReplace->text().isEmpty();
    if (!bytes || (!typed && !ui->lstHits->selectionModel()->hasSelection())) {
        ui->lblPreview->clear();
        return;
    }
    const QList<qsizetype> selected = ui->lstHits->selectedRows();
    if (selected.isEmpty()) {
        QString text;
        gamefile::appendDecoded(m_codec, *bytes, text);
        ui->lblPreview->setText(messages::replacePreview.toString().arg(codeLine(*bytes), text));
        return;
    }
    // The first selected hit's line as the file will read after the write.
    gamefile::Hit hit = m_hits->hit(selected.first());
    hit.context.replace(hit.before, hit.length, *bytes);
    HitRows one(m_codec);
    one.append({hit});
    ui->lblPreview->setText(messages::replacePreviewHit.toString().arg(one.line(0)));
}

void frmFind::cmdReplaceSelected_Click()
{
    const QList<qsizetype> selected = ui->lstHits->selectedRows();
    if (selected.isEmpty()) {
        showError(messages::replaceNothingSelected.toString());
        return;
    }
    const std::optional<QByteArray> bytes = replacementBytes(false);
    if (!bytes)
        return;
    QList<qint64> offsets;
    offsets.reserve(selected.size());
    for (const qsizetype row : selected)
        offsets.append(m_hits->hit(row).offset);
    replaceHits(offsets, *bytes);
}

void frmFind::cmdReplaceAll_Click()
{
    const std::optional<QByteArray> bytes = replacementBytes(false);
    if (!bytes)
        return;
    const QString question = messages::replaceAllQuestion.toString().arg(
        QString::number(m_hits->size()), QDir::toNativeSeparators(m_searchedPath),
        codeLine(*bytes));
    if (!m_prompts.question(this, messages::replaceTitle.toString(), question))
        return;
    QList<qint64> offsets;
    offsets.reserve(m_hits->size());
    for (qsizetype row = 0; row < m_hits->size(); ++row)
        offsets.append(m_hits->hit(row).offset);
    replaceHits(offsets, *bytes);
}

void frmFind::replaceHits(const QList<qint64> &offsets, const QByteArray &bytes)
{
    const QString path = m_searchedPath;
    const QByteArray query = m_searchedQuery;
    setEnabled(false);
    patchInBackground(
        this, [=] { return gamefile::patchWhereHolds(path, offsets, query, bytes); },
        [=, this](const gamefile::PatchEnd &end) {
            setEnabled(true);
            if (!end.written.isEmpty()) {
                m_replacements.push_back({path, end.written, query, bytes});
                m_hits->setBytesAt(end.written, bytes);
                ui->lstHits->rowsChanged();
            }
            updateButtons();
            const QString written = QString::number(end.written.size());
            if (end.error) {
                showError(patchFailureText(*end.error, path, messages::replaceWrittenBefore,
                                           end.written.size()));
                return;
            }
            QString text =
                messages::replaceDone.toString().arg(written, QDir::toNativeSeparators(path));
            if (end.skipped > 0)
                text += u'\n' + messages::replaceSkipped.toString().arg(end.skipped);
            m_prompts.message(this, messages::noticeTitle.toString(), text);
        });
}

void frmFind::cmdUndo_Click()
{
    if (m_replacements.empty())
        return;
    const Replacement last = m_replacements.back();
    const QString question = messages::takeBackReplaceQuestion.toString().arg(
        QString::number(last.offsets.size()), QDir::toNativeSeparators(last.path));
    if (!m_prompts.question(this, messages::takeBackReplaceTitle.toString(), question))
        return;
    setEnabled(false);
    patchInBackground(
        this,
        [last] {
            return gamefile::patchWhereHolds(last.path, last.offsets, last.written, last.before);
        },
        [=, this](const gamefile::PatchEnd &end) {
            setEnabled(true);
            // What went back, and what the file no longer holds, cannot be
            // taken back again; after a failure the rest may be tried again.
            Replacement &kept = m_replacements.back();
            if (end.error) {
                for (const qint64 offset : end.written)
                    kept.offsets.removeOne(offset);
                if (kept.offsets.isEmpty())
                    m_replacements.pop_back();
            } else {
                m_replacements.pop_back();
            }
            if (last.path == m_searchedPath && !end.written.isEmpty()) {
                m_hits->setBytesAt(end.written, last.before);
                ui->lstHits->rowsChanged();
            }
            updateButtons();
            if (end.error) {
                showError(patchFailureText(*end.error, last.path, messages::takeBackWrittenBefore,
                                           end.written.size()));
                return;
            }
            QString text = messages::takeBackReplaceDone.toString().arg(
                QString::number(end.written.size()), QDir::toNativeSeparators(last.path));
            if (end.skipped > 0)
                text += u'\n' + messages::takeBackReplaceSkipped.toString().arg(end.skipped);
            m_prompts.message(this, messages::noticeTitle.toString(), text);
        });
}

QString frmFind::patchFailureText(const gamefile::PatchError &error, const QString &path,
                                  QStringView writtenBefore, qsizetype written) const
{
    QStringView sentence;
    switch (error.step) {
    case gamefile::PatchStep::NotRegularFile: sentence = messages::replaceNotRegular; break;
    case gamefile::PatchStep::Open: sentence = messages::replaceOpenFailed; break;
    case gamefile::PatchStep::Read: sentence = messages::replaceReadFailed; break;
    case gamefile::PatchStep::Write: sentence = messages::replaceWriteFailed; break;
    case gamefile::PatchStep::ShortWrite: sentence = messages::replaceShortWrite; break;
    case gamefile::PatchStep::Flush: sentence = messages::replaceFlushFailed; break;
    case gamefile::PatchStep::Close: sentence = messages::replaceCloseFailed; break;
    }
    return fileFailureText(sentence, path, error.code) + u'\n'
           + writtenBefore.toString().arg(written);
}

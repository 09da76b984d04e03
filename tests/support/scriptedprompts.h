// SPDX-License-Identifier: MIT
#pragma once

#include "app/prompts.h"

#include <QList>
#include <QQueue>
#include <QString>

// Answers the program's dialogs from a script and records what was asked.
// A request with no answer queued counts as a cancel and is recorded in
// `unscripted`, which a test's cleanup() checks.
class ScriptedPrompts : public Prompts {
public:
    struct Message {
        QString title;
        QString text;
    };
    struct FileRequest {
        QString title;
        QString filter;
        QString proposedPath;
        QString selectedFilter; // the filter the chooser starts on
    };

    QQueue<QString> openAnswers;
    QQueue<QString> saveAnswers;
    QQueue<QString> saveFilterAnswers; // the filter chosen with each save answer, if any
    QQueue<QString> textAnswers;
    QQueue<bool> questionAnswers;
    QList<Message> messages;
    QList<FileRequest> openRequests;
    QList<FileRequest> saveRequests;
    QList<Message> textRequests; // title and label
    QList<Message> questions;
    int unscripted = 0;

    QString openFileName(QWidget *, const QString &filter) override
    {
        openRequests.append({QString(), filter, QString(), QString()});
        return next(openAnswers);
    }

    QString saveFileName(QWidget *, const QString &title, const QString &filter,
                         const QString &proposedPath, QString *selectedFilter) override
    {
        saveRequests.append(
            {title, filter, proposedPath, selectedFilter ? *selectedFilter : QString()});
        if (selectedFilter && !saveFilterAnswers.isEmpty())
            *selectedFilter = saveFilterAnswers.dequeue();
        return next(saveAnswers);
    }

    void message(QWidget *, const QString &title, const QString &text) override
    {
        messages.append({title, text});
    }

    bool question(QWidget *, const QString &title, const QString &text) override
    {
        questions.append({title, text});
        if (questionAnswers.isEmpty()) {
            ++unscripted;
            return false;
        }
        return questionAnswers.dequeue();
    }

    QString text(QWidget *, const QString &title, const QString &label) override
    {
        textRequests.append({title, label});
        return next(textAnswers);
    }

    void reset() { *this = ScriptedPrompts(); }

private:
    QString next(QQueue<QString> &answers)
    {
        if (answers.isEmpty()) {
            ++unscripted;
            return {};
        }
        return answers.dequeue();
    }
};

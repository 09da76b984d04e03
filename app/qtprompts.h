#pragma once

#include "app/prompts.h"

class QtPrompts : public Prompts {
public:
    QString openFileName(QWidget *parent, const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &title, const QString &filter,
                         const QString &proposedPath) override;
    void message(QWidget *parent, const QString &title, const QString &text) override;
};

#pragma once

#include "TOperatorDialogs.h"

#include <QStringList>

// Answers the window's questions from a script and keeps every message the operator would see.
class FakeDialogs final : public TOperatorDialogs
{
public:
    QStringList messages;
    QStringList questions;
    QStringList fileNames; // answers to the file dialogs, first first; none left means cancel
    QStringList folders;   // the initial folder each file dialog was given
    bool answerYes = true;

    void message(QWidget *, const QString &text) override { messages << text; }
    bool confirm(QWidget *, const QString &text) override
    {
        questions << text;
        return answerYes;
    }
    QString openFileName(QWidget *, const QString &folder) override { return next(folder); }
    QString saveFileName(QWidget *, const QString &folder) override { return next(folder); }

    QString lastMessage() const { return messages.isEmpty() ? QString() : messages.back(); }

private:
    QString next(const QString &folder)
    {
        folders << folder;
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }
};

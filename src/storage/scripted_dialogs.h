#pragma once
// Dialogs for tests and unattended runs: records every message and answers questions
// from a queue (No when the queue is empty, unless a default answer is set).
#include "storage/dialogs.h"

#include <QList>
#include <deque>

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        bool question = false;
        QString title;
        QString text;
    };

    void inform(const QString& title, const QString& text) override;
    Answer ask(const QString& title, const QString& text) override;

    void queueAnswer(Answer answer) { m_answers.push_back(answer); }
    void setDefaultAnswer(Answer answer) { m_default = answer; }

    const QList<Shown>& shown() const { return m_shown; }
    QStringList texts() const;
    void clear() { m_shown.clear(); }

private:
    std::deque<Answer> m_answers;
    Answer m_default = Answer::No;
    QList<Shown> m_shown;
};

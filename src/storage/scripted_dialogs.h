#pragma once
// Dialogs for tests and unattended runs: records every message and answers questions
// from a queue (No when the queue is empty, unless a default answer is set). Text prompts and
// Yes/No/Cancel questions are answered from queues of their own (cancelled when they are empty).
#include "storage/dialogs.h"

#include <QList>
#include <deque>
#include <functional>

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        bool question = false;
        QString title;
        QString text;
        bool textPrompt = false; // a text prompt; `text` holds its prompt
        bool secret = false;     // the prompt masks what is typed
        bool defaultNo = false;  // a question whose default button is No
        bool withCancel = false; // a question with Yes, No and Cancel
    };

    void inform(const QString& title, const QString& text) override;
    Answer ask(const QString& title, const QString& text) override;
    Answer askDefaultNo(const QString& title, const QString& text) override;
    std::optional<QString> askText(const QString& title, const QString& prompt, bool secret) override;
    Choice askYesNoCancel(const QString& title, const QString& text) override;

    void queueAnswer(Answer answer) { m_answers.push_back(answer); }
    void setDefaultAnswer(Answer answer) { m_default = answer; }
    // The next text prompt gets `text`; std::nullopt stands for Cancel.
    void queueText(std::optional<QString> text) { m_texts.push_back(std::move(text)); }
    // The next Yes/No/Cancel question gets `choice`.
    void queueChoice(Choice choice) { m_choices.push_back(choice); }

    // Called with every message or question as it is shown, before it is answered: a screen
    // test looks at the windows that are open at that moment.
    void setObserver(std::function<void(const Shown&)> observer) { m_observer = std::move(observer); }

    // Forgets the answers, texts and choices queued and not asked for.
    void dropQueued()
    {
        m_answers.clear();
        m_texts.clear();
        m_choices.clear();
    }

    const QList<Shown>& shown() const { return m_shown; }
    QStringList texts() const;
    void clear() { m_shown.clear(); }

private:
    std::deque<Answer> m_answers;
    std::deque<std::optional<QString>> m_texts;
    std::deque<Choice> m_choices;
    Answer m_default = Answer::No;
    QList<Shown> m_shown;
    std::function<void(const Shown&)> m_observer;

    void record(const Shown& shown);
    Answer nextAnswer();
};

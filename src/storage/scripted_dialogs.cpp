#include "storage/scripted_dialogs.h"

#include <QStringList>

void ScriptedDialogs::record(const Shown& shown)
{
    m_shown.append(shown);
    if (m_observer)
        m_observer(shown);
}

Dialogs::Answer ScriptedDialogs::nextAnswer()
{
    if (m_answers.empty())
        return m_default;
    const Answer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

void ScriptedDialogs::inform(const QString& title, const QString& text)
{
    record({false, title, text});
}

Dialogs::Answer ScriptedDialogs::ask(const QString& title, const QString& text)
{
    record({true, title, text});
    return nextAnswer();
}

Dialogs::Answer ScriptedDialogs::askDefaultNo(const QString& title, const QString& text)
{
    Shown shown{true, title, text};
    shown.defaultNo = true;
    record(shown);
    return nextAnswer();
}

std::optional<QString> ScriptedDialogs::askText(const QString& title, const QString& prompt, bool secret)
{
    record({false, title, prompt, true, secret});
    if (m_texts.empty())
        return std::nullopt;
    std::optional<QString> text = std::move(m_texts.front());
    m_texts.pop_front();
    return text;
}

Dialogs::Choice ScriptedDialogs::askYesNoCancel(const QString& title, const QString& text)
{
    Shown shown{true, title, text};
    shown.withCancel = true;
    record(shown);
    if (m_choices.empty())
        return Choice::Cancel;
    const Choice choice = m_choices.front();
    m_choices.pop_front();
    return choice;
}

QStringList ScriptedDialogs::texts() const
{
    QStringList result;
    for (const Shown& s : m_shown)
        result.append(s.text);
    return result;
}

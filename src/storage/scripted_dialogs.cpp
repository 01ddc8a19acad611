#include "storage/scripted_dialogs.h"

#include <QStringList>

void ScriptedDialogs::inform(const QString& title, const QString& text)
{
    m_shown.append({false, title, text});
}

Dialogs::Answer ScriptedDialogs::ask(const QString& title, const QString& text)
{
    m_shown.append({true, title, text});
    if (m_answers.empty())
        return m_default;
    const Answer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDialogs::askText(const QString& title, const QString& prompt, bool secret)
{
    m_shown.append({false, title, prompt, true, secret});
    if (m_texts.empty())
        return std::nullopt;
    std::optional<QString> text = std::move(m_texts.front());
    m_texts.pop_front();
    return text;
}

QStringList ScriptedDialogs::texts() const
{
    QStringList result;
    for (const Shown& s : m_shown)
        result.append(s.text);
    return result;
}

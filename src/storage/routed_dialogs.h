#pragma once
// The message-box service as the state holds it. Every message goes to the service the program
// was started with, except while an unattended run (the timed import) has diverted them: then
// nobody is there to click, so the messages are collected for the run's result and every question
// is answered No (or Cancel where it is offered), the answer that leaves everything as it is.
#include "storage/dialogs.h"

#include <QStringList>

class RoutedDialogs : public Dialogs {
public:
    explicit RoutedDialogs(Dialogs& target) : m_target(&target) {}

    void inform(const QString& title, const QString& text) override { m_target->inform(title, text); }
    void notify(const QString& title, const QString& text) override { m_target->notify(title, text); }
    Answer ask(const QString& title, const QString& text) override { return m_target->ask(title, text); }
    Answer askDefaultNo(const QString& title, const QString& text) override
    {
        return m_target->askDefaultNo(title, text);
    }
    std::optional<QString> askText(const QString& title, const QString& prompt, bool secret) override
    {
        return m_target->askText(title, prompt, secret);
    }
    Choice askYesNoCancel(const QString& title, const QString& text) override
    {
        return m_target->askYesNoCancel(title, text);
    }

private:
    friend class UnattendedMessages;
    Dialogs* m_target;
};

// While it lives, the messages of `route` are collected instead of shown.
class UnattendedMessages : public Dialogs {
public:
    explicit UnattendedMessages(RoutedDialogs& route) : m_route(route), m_previous(route.m_target)
    {
        route.m_target = this;
    }
    ~UnattendedMessages() override { m_route.m_target = m_previous; }
    UnattendedMessages(const UnattendedMessages&) = delete;
    UnattendedMessages& operator=(const UnattendedMessages&) = delete;

    void inform(const QString&, const QString& text) override { m_messages.append(text); }
    Answer ask(const QString&, const QString& text) override
    {
        m_messages.append(text + u'\r' + QStringLiteral("（自動取込のため「いいえ」としました）"));
        return Answer::No;
    }
    Choice askYesNoCancel(const QString&, const QString& text) override
    {
        m_messages.append(text + u'\r' + QStringLiteral("（自動取込のため「キャンセル」としました）"));
        return Choice::Cancel;
    }
    std::optional<QString> askText(const QString&, const QString&, bool) override { return std::nullopt; }

    // The collected texts, oldest first (lines joined by CR).
    const QStringList& messages() const { return m_messages; }

private:
    RoutedDialogs& m_route;
    Dialogs* m_previous;
    QStringList m_messages;
};

#pragma once
// The message-box service. Every message the program shows goes through it, so that the
// core can state what to say and tests can record it and answer questions from a script.
#include <QString>
#include <optional>

class Dialogs {
public:
    enum class Answer { Yes, No };
    // The answer to a question that can also be called off.
    enum class Choice { Yes, No, Cancel };

    virtual ~Dialogs() = default;
    // A message box with an OK button.
    virtual void inform(const QString& title, const QString& text) = 0;
    // A message that does not wait for the user: the box stays open while the program works on
    // (told while a lock is held, which a waiting box would keep from the other clients). A
    // service without such a box informs as inform() does.
    virtual void notify(const QString& title, const QString& text) { inform(title, text); }
    // A message box with Yes and No buttons.
    virtual Answer ask(const QString& title, const QString& text) = 0;
    // The same, with No as the button that Enter presses: for a question whose Yes writes,
    // replaces or deletes data, so that Enter cannot commit it by accident.
    // A service without a default button asks as ask() does.
    virtual Answer askDefaultNo(const QString& title, const QString& text) { return ask(title, text); }
    // A message box with Yes, No and Cancel buttons. Cancel (also closing the box or Escape)
    // means "do nothing": a service where nobody can answer returns Cancel.
    virtual Choice askYesNoCancel(const QString& title, const QString& text) = 0;
    // A box that asks for one line of text, with OK and Cancel. `secret` shows "*" for each
    // typed character. Nothing when the user cancelled; a service that cannot ask (unattended
    // runs) returns nothing as well.
    virtual std::optional<QString> askText(const QString& title, const QString& prompt, bool secret)
    {
        Q_UNUSED(title);
        Q_UNUSED(prompt);
        Q_UNUSED(secret);
        return std::nullopt;
    }
};

// Lines of a message are joined by CR, as the program's texts are built.
inline QString joinLines(std::initializer_list<QString> lines)
{
    QString text;
    bool first = true;
    for (const QString& line : lines) {
        if (!first)
            text += QChar(u'\r');
        text += line;
        first = false;
    }
    return text;
}

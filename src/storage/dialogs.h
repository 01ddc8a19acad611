#pragma once
// The message-box service. Every message the program shows goes through it, so that the
// core can state what to say and tests can record it and answer questions from a script.
#include <QString>

class Dialogs {
public:
    enum class Answer { Yes, No };

    virtual ~Dialogs() = default;
    // A message box with an OK button.
    virtual void inform(const QString& title, const QString& text) = 0;
    // A message box with Yes and No buttons.
    virtual Answer ask(const QString& title, const QString& text) = 0;
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

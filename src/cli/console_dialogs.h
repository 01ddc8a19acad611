#pragma once
// Message boxes on a console: the text goes to stderr, its CR-joined lines as separate lines.
//
// A question is printed and answered No. The tool runs unattended (scripts, scheduled jobs), so
// nobody can confirm, and every question of the program asks before it changes something (the
// data-folder recovery rewrites this client's settings, for example); No leaves everything as
// it is, which is the safe answer when nobody has read the question.
#include "storage/dialogs.h"

class ConsoleDialogs : public Dialogs {
public:
    void inform(const QString& title, const QString& text) override;
    Answer ask(const QString& title, const QString& text) override;
    // For the same reason a question that can be called off is answered Cancel.
    Choice askYesNoCancel(const QString& title, const QString& text) override;
    // Nobody types at an unattended console: the prompt counts as cancelled.
    std::optional<QString> askText(const QString& title, const QString& prompt, bool secret) override;

    // The text as console lines: CR LF and CR become newlines, a newline ends the text.
    static QString consoleText(const QString& text);
};

#include "cli/console_dialogs.h"

#include "cli/console_output.h"

QString ConsoleDialogs::consoleText(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(u'\r', u'\n');
    if (!lines.endsWith(u'\n'))
        lines += u'\n';
    return lines;
}

void ConsoleDialogs::inform(const QString&, const QString& text)
{
    PrintError(consoleText(text));
}

Dialogs::Answer ConsoleDialogs::ask(const QString&, const QString& text)
{
    PrintError(consoleText(text) + QStringLiteral("(answered No)\n"));
    return Answer::No;
}

Dialogs::Choice ConsoleDialogs::askYesNoCancel(const QString&, const QString& text)
{
    PrintError(consoleText(text) + QStringLiteral("(answered Cancel)\n"));
    return Choice::Cancel;
}

std::optional<QString> ConsoleDialogs::askText(const QString&, const QString& prompt, bool)
{
    PrintError(consoleText(prompt) + QStringLiteral("(cancelled)\n"));
    return std::nullopt;
}

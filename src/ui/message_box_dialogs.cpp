#include "ui/message_box_dialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

QString MessageBoxDialogs::displayText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QChar(u'\r'), QChar(u'\n'));
    return shown;
}

QWidget* MessageBoxDialogs::parentWidget() const
{
    return m_parent ? m_parent.data() : QApplication::activeWindow();
}

void MessageBoxDialogs::inform(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, title, displayText(text), QMessageBox::Ok, parentWidget());
    box.exec();
}

Dialogs::Answer MessageBoxDialogs::ask(const QString& title, const QString& text)
{
    return askWithDefault(title, text, true);
}

Dialogs::Answer MessageBoxDialogs::askDefaultNo(const QString& title, const QString& text)
{
    return askWithDefault(title, text, false);
}

Dialogs::Answer MessageBoxDialogs::askWithDefault(const QString& title, const QString& text, bool defaultYes)
{
    QMessageBox box(QMessageBox::NoIcon, title, displayText(text), QMessageBox::Yes | QMessageBox::No,
                    parentWidget());
    box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

Dialogs::Choice MessageBoxDialogs::askYesNoCancel(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, title, displayText(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parentWidget());
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Choice::Yes;
    case QMessageBox::No:
        return Choice::No;
    default:
        return Choice::Cancel;
    }
}

std::optional<QString> MessageBoxDialogs::askText(const QString& title, const QString& prompt, bool secret)
{
    QInputDialog box(parentWidget());
    box.setWindowTitle(title);
    box.setLabelText(displayText(prompt));
    box.setInputMode(QInputDialog::TextInput);
    box.setTextEchoMode(secret ? QLineEdit::Password : QLineEdit::Normal);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.textValue();
}

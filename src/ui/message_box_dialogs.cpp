#include "ui/message_box_dialogs.h"

#include <QApplication>
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
    QMessageBox box(QMessageBox::NoIcon, title, displayText(text), QMessageBox::Yes | QMessageBox::No,
                    parentWidget());
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

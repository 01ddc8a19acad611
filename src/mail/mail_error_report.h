#pragma once
// The one message box for a failed mail send.
#include <QString>

class Dialogs;

QString MailErrorTitle();
QString MailErrorText();
// Shows MailErrorText in an OK box titled MailErrorTitle.
void MailErrorReport(Dialogs& dialogs);

#pragma once
// One mail sent over SMTP with libcurl: a UTF-8 text body and file attachments as a MIME
// message, the recipients each named to the server (RCPT TO), short time limits so that a dead
// server cannot hold the program for long.
#include "mail/mail_server_settings.h"

#include <QString>
#include <QStringList>

struct OutgoingMail {
    QStringList recipients; // bare addresses, in order
    QString subject;
    QString body;
    QStringList attachmentPaths;
};

// The outcome of a mail operation.
struct MailResult {
    bool ok = true;
    QString detail; // what failed, for the console (the screens show MailErrorReport)
    static MailResult success() { return {}; }
    static MailResult failure(const QString& detail) { return MailResult{false, detail}; }
    explicit operator bool() const { return ok; }
};

struct SmtpLimits {
    int connectSeconds = 15;
    int totalSeconds = 60;      // grows with the size of the attachments
    int stallSeconds = 30;      // no progress for this long ends the transfer
};

// Sends `mail` through the server of `settings`.
MailResult SendSmtpMail(const MailServerSettings& settings, const OutgoingMail& mail, const SmtpLimits& limits = {});

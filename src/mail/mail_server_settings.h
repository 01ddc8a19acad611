#pragma once
// The mail server of one client: SMTP URL (smtp://host:587, smtps://host:465), sender address and
// optional user name and password. Kept in the client folder, never in the shared data folder:
// "MbVORNメール設定.dat" in the settings-file format (line 1 URL, 2 sender, 3 user) and the
// password alone in "MbVORNメール認証.dat", readable and writable by its owner only. The
// environment variables TEV_SMTP_URL, TEV_SMTP_FROM, TEV_SMTP_USER and TEV_SMTP_PASSWORD
// override the stored values (scheduled jobs, tests).
#include "storage/io_result.h"

#include <QString>
#include <optional>

struct MailServerSettings {
    QString url;
    QString sender;
    QString user;
    QString password;

    bool configured() const { return !url.trimmed().isEmpty(); }
};

namespace MailServerFile {
inline const QString Settings = QStringLiteral("MbVORNメール設定.dat");
inline const QString Password = QStringLiteral("MbVORNメール認証.dat");
}

// What the client folder holds (missing files give empty values).
MailServerSettings ReadMailServerSettings(const QString& clientFolder);
// Replaces both files; an empty password removes the password file.
IoResult WriteMailServerSettings(const QString& clientFolder, const MailServerSettings& settings);

// The stored settings with every set, non-empty environment variable in place of its value.
MailServerSettings EffectiveMailServerSettings(const QString& clientFolder);

// An smtp:// or smtps:// URL with a host.
bool IsSmtpUrl(const QString& url);

// Why the settings cannot be used for sending, or nothing: the URL must be smtp:// or
// smtps:// with a host, and the sender must be a mail address.
std::optional<QString> MailServerProblem(const MailServerSettings& settings);

#include "mail/mail_server_settings.h"

#include "mail/mime_headers.h"
#include "storage/quoted_text_file.h"

#include <QFile>
#include <QSaveFile>
#include <QUrl>
#include <cerrno>

namespace {

constexpr auto OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QString valueOf(const QStringList& lines, qsizetype index)
{
    return index < lines.size() ? SplitQuotedLine(lines[index]).value(0).trimmed() : QString();
}

// The password file: created owner-only before a byte of the password is in it, then renamed
// over the old one.
IoResult writePassword(const QString& path, const QString& password)
{
    if (password.isEmpty()) {
        if (QFile::exists(path) && !QFile::remove(path))
            return IoResult::failure(path, EACCES, QStringLiteral("remove"));
        return IoResult::success();
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return IoResult::failure(path, EACCES, file.errorString());
    if (!file.setPermissions(OwnerOnly)) {
        file.cancelWriting();
        return IoResult::failure(path, EACCES, QStringLiteral("permissions"));
    }
    const QByteArray content = password.toUtf8();
    if (file.write(content) != content.size()) {
        file.cancelWriting();
        return IoResult::failure(path, EIO, file.errorString());
    }
    if (!file.commit())
        return IoResult::failure(path, EIO, file.errorString());
    return IoResult::success();
}

void override(QString& value, const char* variable)
{
    const QString fromEnvironment = qEnvironmentVariable(variable);
    if (!fromEnvironment.isEmpty())
        value = fromEnvironment;
}

} // namespace

MailServerSettings ReadMailServerSettings(const QString& clientFolder)
{
    MailServerSettings settings;
    if (const auto lines = ReadTextLines(clientFolder + MailServerFile::Settings)) {
        settings.url = valueOf(*lines, 0);
        settings.sender = valueOf(*lines, 1);
        settings.user = valueOf(*lines, 2);
    }
    QFile password(clientFolder + MailServerFile::Password);
    if (password.open(QIODevice::ReadOnly)) {
        // A line end left by a text editor is not part of the password.
        QByteArray bytes = password.readAll();
        while (bytes.endsWith('\n') || bytes.endsWith('\r'))
            bytes.chop(1);
        settings.password = QString::fromUtf8(bytes);
    }
    return settings;
}

IoResult WriteMailServerSettings(const QString& clientFolder, const MailServerSettings& settings)
{
    const IoResult written =
        WriteTextLines(clientFolder + MailServerFile::Settings,
                       {JoinQuotedLine({settings.url.trimmed()}), JoinQuotedLine({settings.sender.trimmed()}),
                        JoinQuotedLine({settings.user.trimmed()})});
    if (!written)
        return written;
    return writePassword(clientFolder + MailServerFile::Password, settings.password);
}

MailServerSettings EffectiveMailServerSettings(const QString& clientFolder)
{
    MailServerSettings settings = ReadMailServerSettings(clientFolder);
    override(settings.url, "TEV_SMTP_URL");
    override(settings.sender, "TEV_SMTP_FROM");
    override(settings.user, "TEV_SMTP_USER");
    override(settings.password, "TEV_SMTP_PASSWORD");
    return settings;
}

bool IsSmtpUrl(const QString& text)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == u"smtp" || scheme == u"smtps") && !url.host().isEmpty();
}

std::optional<QString> MailServerProblem(const MailServerSettings& settings)
{
    if (!settings.configured())
        return QStringLiteral("no mail server is set (SMTP URL)");
    if (!IsSmtpUrl(settings.url))
        return QStringLiteral("the SMTP URL must be smtp://host[:port] or smtps://host[:port]: %1").arg(settings.url);
    if (BareMailAddress(settings.sender).isEmpty())
        return QStringLiteral("the sender is not a mail address: %1").arg(settings.sender);
    return std::nullopt;
}

#include "support/smtp_sink_support.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString ScriptPath = QStringLiteral(TEV_TEST_DATA_DIR "/../support/smtp_sink.py");

// The first Python that can import aiosmtpd: TEV_TEST_PYTHON, the system's, the one on PATH.
QString pythonWithAiosmtpd()
{
    QStringList candidates;
    if (const QString chosen = qEnvironmentVariable("TEV_TEST_PYTHON"); !chosen.isEmpty())
        candidates.append(chosen);
    candidates << QStringLiteral("/usr/bin/python3") << QStringLiteral("python3");
    for (const QString& python : candidates) {
        QProcess probe;
        probe.start(python, {QStringLiteral("-c"), QStringLiteral("import aiosmtpd")});
        if (probe.waitForFinished(20000) && probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0)
            return python;
    }
    return QString();
}

QStringList strings(const QJsonValue& value)
{
    QStringList list;
    for (const QJsonValue& entry : value.toArray())
        list.append(entry.toString());
    return list;
}

} // namespace

SmtpSink::~SmtpSink()
{
    stop();
}

QString SmtpSink::start(const QStringList& rejected)
{
    static const QString python = pythonWithAiosmtpd();
    if (python.isEmpty())
        return QStringLiteral("no python3 with aiosmtpd (scripts/install-deps.sh installs python3-aiosmtpd)");
    QStringList args{ScriptPath, m_folder.path()};
    for (const QString& address : rejected)
        args << QStringLiteral("--reject") << address;
    m_process.start(python, args);
    if (!m_process.waitForStarted(10000))
        return QStringLiteral("the SMTP sink does not start: ") + m_process.errorString();
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(20000))
            return QStringLiteral("the SMTP sink does not get ready: ") +
                   QString::fromUtf8(m_process.readAllStandardError());
    }
    const QString line = QString::fromLatin1(m_process.readLine()).trimmed();
    if (!line.startsWith(QStringLiteral("ready ")))
        return QStringLiteral("unexpected output of the SMTP sink: ") + line;
    m_port = line.mid(6).toInt();
    return QString();
}

void SmtpSink::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QList<ReceivedMail> SmtpSink::received() const
{
    QList<ReceivedMail> mails;
    const QDir folder(m_folder.path());
    for (const QString& name : folder.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name)) {
        QFile file(folder.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QJsonObject record = QJsonDocument::fromJson(file.readAll()).object();
        ReceivedMail mail;
        mail.mailFrom = record.value(u"mail_from").toString();
        mail.rcptTos = strings(record.value(u"rcpt_tos"));
        mail.from = record.value(u"from").toString();
        mail.to = record.value(u"to").toString();
        mail.toAddresses = strings(record.value(u"to_addresses"));
        mail.subject = record.value(u"subject").toString();
        mail.date = record.value(u"date").toString();
        mail.messageId = record.value(u"message_id").toString();
        mail.body = record.value(u"body").toString();
        for (const QJsonValue& entry : record.value(u"attachments").toArray()) {
            const QJsonObject attachment = entry.toObject();
            mail.attachments.append({attachment.value(u"filename").toString(),
                                     attachment.value(u"content_type").toString(),
                                     QByteArray::fromBase64(attachment.value(u"data").toString().toLatin1())});
        }
        mail.raw = QByteArray::fromBase64(record.value(u"raw").toString().toLatin1());
        mails.append(mail);
    }
    return mails;
}

namespace {
constexpr const char* SmtpVariables[] = {"TEV_SMTP_URL", "TEV_SMTP_FROM", "TEV_SMTP_USER", "TEV_SMTP_PASSWORD"};
}

SmtpEnvironmentGuard::SmtpEnvironmentGuard()
{
    for (const char* name : SmtpVariables) {
        m_saved.append(qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray());
        qunsetenv(name);
    }
}

SmtpEnvironmentGuard::~SmtpEnvironmentGuard()
{
    for (qsizetype i = 0; i < m_saved.size(); ++i) {
        if (m_saved[i].isEmpty())
            qunsetenv(SmtpVariables[i]);
        else
            qputenv(SmtpVariables[i], m_saved[i]);
    }
}

int ClosedLocalPort()
{
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    if (probe < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(probe);
    return port;
}

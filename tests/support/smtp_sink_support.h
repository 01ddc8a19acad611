#pragma once
// The test SMTP server (smtp_sink.py, run with a Python that has aiosmtpd) and what it received.
#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

struct ReceivedAttachment {
    QString fileName;
    QString contentType;
    QByteArray data;
};

struct ReceivedMail {
    QString mailFrom;
    QStringList rcptTos; // the envelope, one entry per RCPT TO
    QString from;
    QString to;          // the To header, decoded
    QStringList toAddresses;
    QString subject;     // decoded
    QString date;
    QString messageId;
    QString body;        // the text part, decoded
    QList<ReceivedAttachment> attachments;
    QByteArray raw;      // the message as it came over the wire
};

class SmtpSink {
public:
    SmtpSink() = default;
    ~SmtpSink();
    SmtpSink(const SmtpSink&) = delete;
    SmtpSink& operator=(const SmtpSink&) = delete;

    // Starts the server; recipients in `rejected` get 550. Empty on success, else why not.
    QString start(const QStringList& rejected = {});
    void stop();

    int port() const { return m_port; }
    QString url() const { return QStringLiteral("smtp://127.0.0.1:%1").arg(m_port); }
    // The messages received so far, in order.
    QList<ReceivedMail> received() const;

private:
    QTemporaryDir m_folder;
    QProcess m_process;
    int m_port = 0;
};

// Clears TEV_SMTP_URL, TEV_SMTP_FROM, TEV_SMTP_USER and TEV_SMTP_PASSWORD for its lifetime, so that
// the test's own environment never reaches the code under test; the old values come back after.
class SmtpEnvironmentGuard {
public:
    SmtpEnvironmentGuard();
    ~SmtpEnvironmentGuard();
    SmtpEnvironmentGuard(const SmtpEnvironmentGuard&) = delete;
    SmtpEnvironmentGuard& operator=(const SmtpEnvironmentGuard&) = delete;

private:
    QList<QByteArray> m_saved;
};

// A port on 127.0.0.1 where nothing listens (taken and given back at once).
int ClosedLocalPort();

#pragma once
// The mail object model the purchase mail drives, call for call as a mail program's automation
// interface is driven: the application, its "MAPI" namespace, the outbox (folder 4), a mail item
// (item type 0) with To, Subject, Body, Attachments.Add, Save, Close and Send. Sending goes out
// over SMTP to the client's mail server. Every call that can fail returns a MailResult; the first
// failure ends the caller's sequence.
#include "mail/mail_server_settings.h"
#include "mail/smtp_transport.h"

#include <QString>
#include <QStringList>
#include <memory>

class MailItem;

// The outbox: items saved and not yet sent.
class MailFolder {
public:
    static constexpr int Outbox = 4;
    int itemCount() const { return m_items; }

private:
    friend class MailItem;
    int m_items = 0;
};

class MailNamespace {
public:
    // The outbox for 4; nothing for other folders.
    MailFolder* getDefaultFolder(int folder);

private:
    friend class MailItem;
    MailFolder m_outbox;
};

class MailApplication {
public:
    static constexpr int MailItemType = 0;

    // The application on the client's mail server; fails when the server settings are unusable
    // (no server, a URL that is not SMTP, no sender address).
    static MailResult create(const MailServerSettings& settings, std::unique_ptr<MailApplication>& application);

    // The namespace for "MAPI"; nothing for other types.
    MailNamespace* getNamespace(const QString& type);
    // A new mail item for type 0; nothing for other types.
    std::unique_ptr<MailItem> createItem(int type);

private:
    explicit MailApplication(MailServerSettings settings) : m_settings(std::move(settings)) {}
    friend class MailItem;

    MailServerSettings m_settings;
    MailNamespace m_namespace;
};

class MailAttachments {
public:
    // Attaches the file at `path`; it must exist and be readable.
    MailResult add(const QString& path);
    const QStringList& paths() const { return m_paths; }
    int count() const { return int(m_paths.size()); }

private:
    QStringList m_paths;
};

class MailItem {
public:
    static constexpr int SaveChanges = 0;

    // The recipients as a mail program takes them: addresses separated by ";" (or ",").
    void setTo(const QString& to) { m_to = to; }
    const QString& to() const { return m_to; }
    void setSubject(const QString& subject) { m_subject = subject; }
    const QString& subject() const { return m_subject; }
    void setBody(const QString& body) { m_body = body; }
    const QString& body() const { return m_body; }
    MailAttachments& attachments() { return m_attachments; }

    // Checks the recipients and puts the item into the outbox.
    MailResult save();
    // Closes the item; SaveChanges saves it first.
    MailResult close(int saveMode);
    // Sends the item through the server and takes it out of the outbox.
    MailResult send();

    // The addresses of To in order; empty when one of them is not a mail address.
    QStringList recipients() const;

private:
    friend class MailApplication;
    explicit MailItem(MailApplication& application) : m_application(application) {}

    MailApplication& m_application;
    QString m_to;
    QString m_subject;
    QString m_body;
    MailAttachments m_attachments;
    bool m_inOutbox = false;
};

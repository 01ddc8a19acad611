#include "mail/mail_automation.h"

#include "mail/mime_headers.h"

#include <QFileInfo>
#include <QRegularExpression>

MailFolder* MailNamespace::getDefaultFolder(int folder)
{
    return folder == MailFolder::Outbox ? &m_outbox : nullptr;
}

MailResult MailApplication::create(const MailServerSettings& settings, std::unique_ptr<MailApplication>& application)
{
    application.reset();
    if (const auto problem = MailServerProblem(settings))
        return MailResult::failure(*problem);
    application.reset(new MailApplication(settings));
    return MailResult::success();
}

MailNamespace* MailApplication::getNamespace(const QString& type)
{
    return type == u"MAPI" ? &m_namespace : nullptr;
}

std::unique_ptr<MailItem> MailApplication::createItem(int type)
{
    if (type != MailItemType)
        return nullptr;
    return std::unique_ptr<MailItem>(new MailItem(*this));
}

MailResult MailAttachments::add(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || !info.isReadable())
        return MailResult::failure(QStringLiteral("the attachment cannot be read: %1").arg(path));
    m_paths.append(info.absoluteFilePath());
    return MailResult::success();
}

QStringList MailItem::recipients() const
{
    static const QRegularExpression separators(QStringLiteral("[;,]"));
    QStringList addresses;
    for (const QString& part : m_to.split(separators, Qt::SkipEmptyParts)) {
        const QString text = part.trimmed();
        if (text.isEmpty())
            continue;
        const QString address = BareMailAddress(text);
        if (address.isEmpty())
            return {};
        addresses.append(address);
    }
    return addresses;
}

MailResult MailItem::save()
{
    if (recipients().isEmpty())
        return MailResult::failure(QStringLiteral("not a usable recipient list: %1").arg(m_to));
    if (!m_inOutbox) {
        m_inOutbox = true;
        ++m_application.m_namespace.m_outbox.m_items;
    }
    return MailResult::success();
}

MailResult MailItem::close(int saveMode)
{
    return saveMode == SaveChanges ? save() : MailResult::success();
}

MailResult MailItem::send()
{
    const QStringList addresses = recipients();
    if (addresses.isEmpty())
        return MailResult::failure(QStringLiteral("not a usable recipient list: %1").arg(m_to));
    const OutgoingMail mail{addresses, m_subject, m_body, m_attachments.paths()};
    const MailResult sent = SendSmtpMail(m_application.m_settings, mail);
    if (sent && m_inOutbox) {
        m_inOutbox = false;
        --m_application.m_namespace.m_outbox.m_items;
    }
    return sent;
}

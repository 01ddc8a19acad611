#include "mail/smtp_transport.h"

#include "mail/mime_headers.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <curl/curl.h>
#include <memory>
#include <mutex>

namespace {

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
    void operator()(curl_mime* mime) const { curl_mime_free(mime); }
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
template <class T>
using CurlPtr = std::unique_ptr<T, CurlDeleter>;

// Appends to a list that owns its strings; false when curl cannot allocate.
bool append(CurlPtr<curl_slist>& list, const QByteArray& line)
{
    curl_slist* grown = curl_slist_append(list.get(), line.constData());
    if (!grown)
        return false;
    (void)list.release();
    list.reset(grown);
    return true;
}

void initialiseCurl()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool isLoopback(const QString& host)
{
    return host == u"localhost" || host == u"127.0.0.1" || host == u"::1" || host == u"[::1]";
}

// The MIME body: the text part, then one part per attachment.
QString buildMime(curl_mime* mime, const OutgoingMail& mail, std::vector<CurlPtr<curl_slist>>& partHeaders)
{
    curl_mimepart* text = curl_mime_addpart(mime);
    const QByteArray body = mail.body.toUtf8();
    if (!text || curl_mime_data(text, body.constData(), size_t(body.size())) != CURLE_OK ||
        curl_mime_type(text, "text/plain; charset=UTF-8") != CURLE_OK ||
        curl_mime_encoder(text, "base64") != CURLE_OK)
        return QStringLiteral("the text part cannot be built");
    for (const QString& path : mail.attachmentPaths) {
        const QFileInfo info(path);
        if (!info.isFile() || !info.isReadable())
            return QStringLiteral("the attachment cannot be read: %1").arg(path);
        CurlPtr<curl_slist> headers;
        const QString name = info.fileName();
        if (!append(headers, AttachmentTypeHeader(AttachmentMimeType(name), name)) ||
            !append(headers, AttachmentDispositionHeader(name)))
            return QStringLiteral("out of memory");
        curl_mimepart* part = curl_mime_addpart(mime);
        const QByteArray localPath = QFile::encodeName(info.absoluteFilePath());
        // The file's own name would go out unencoded: the headers above name it instead.
        if (!part || curl_mime_filedata(part, localPath.constData()) != CURLE_OK ||
            curl_mime_filename(part, nullptr) != CURLE_OK || curl_mime_encoder(part, "base64") != CURLE_OK ||
            curl_mime_headers(part, headers.get(), 0) != CURLE_OK)
            return QStringLiteral("the attachment cannot be added: %1").arg(path);
        partHeaders.push_back(std::move(headers));
    }
    return QString();
}

} // namespace

MailResult SendSmtpMail(const MailServerSettings& settings, const OutgoingMail& mail, const SmtpLimits& limits)
{
    if (const auto problem = MailServerProblem(settings))
        return MailResult::failure(*problem);
    if (mail.recipients.isEmpty())
        return MailResult::failure(QStringLiteral("no recipients"));
    for (const QString& recipient : mail.recipients)
        if (BareMailAddress(recipient) != recipient)
            return MailResult::failure(QStringLiteral("not a mail address: %1").arg(recipient));

    initialiseCurl();
    CurlPtr<CURL> curl(curl_easy_init());
    if (!curl)
        return MailResult::failure(QStringLiteral("libcurl cannot be started"));

    const QString sender = BareMailAddress(settings.sender);
    const QUrl url(settings.url.trimmed());
    CurlPtr<curl_slist> recipients;
    for (const QString& recipient : mail.recipients)
        if (!append(recipients, '<' + recipient.toLatin1() + '>'))
            return MailResult::failure(QStringLiteral("out of memory"));

    CurlPtr<curl_slist> headers;
    const bool headersBuilt =
        append(headers, "Date: " + MailDateText(QDateTime::currentDateTime())) &&
        append(headers, "From: " + MailboxHeaderText(settings.sender)) &&
        append(headers, "To: " + AddressListHeaderText(mail.recipients)) &&
        append(headers, "Subject: " + EncodedHeaderText(mail.subject)) &&
        append(headers, "Message-ID: " + NewMessageId(sender));
    if (!headersBuilt)
        return MailResult::failure(QStringLiteral("out of memory"));

    CurlPtr<curl_mime> mime(curl_mime_init(curl.get()));
    std::vector<CurlPtr<curl_slist>> partHeaders;
    if (!mime)
        return MailResult::failure(QStringLiteral("out of memory"));
    if (const QString problem = buildMime(mime.get(), mail, partHeaders); !problem.isEmpty())
        return MailResult::failure(problem);

    qint64 attachmentBytes = 0;
    for (const QString& path : mail.attachmentPaths)
        attachmentBytes += QFileInfo(path).size();
    // Base64 makes four bytes of three; allow a second per 64 KiB beyond the fixed limit.
    const long totalSeconds = long(limits.totalSeconds + attachmentBytes / 65536);

    const QByteArray urlText = url.toString(QUrl::FullyEncoded).toUtf8();
    const QByteArray from = '<' + sender.toLatin1() + '>';
    const QByteArray user = settings.user.toUtf8();
    const QByteArray password = settings.password.toUtf8();
    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, urlText.constData());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, long(limits.connectSeconds));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT, totalSeconds);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle, CURLOPT_LOW_SPEED_TIME, long(limits.stallSeconds));
    curl_easy_setopt(handle, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(handle, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(handle, CURLOPT_MIMEPOST, mime.get());
    // A password never crosses the network in the clear, except to a server on this machine.
    const bool credentials = !user.isEmpty();
    curl_easy_setopt(handle, CURLOPT_USE_SSL,
                     credentials && !isLoopback(url.host()) ? long(CURLUSESSL_ALL) : long(CURLUSESSL_TRY));
    if (credentials) {
        curl_easy_setopt(handle, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(handle, CURLOPT_PASSWORD, password.constData());
    }
    char errorBuffer[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorBuffer);

    const CURLcode code = curl_easy_perform(handle);
    if (code != CURLE_OK) {
        long response = 0;
        curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &response);
        QString detail = QString::fromUtf8(errorBuffer[0] ? errorBuffer : curl_easy_strerror(code));
        if (response > 0)
            detail += QStringLiteral(" (server reply %1)").arg(response);
        return MailResult::failure(detail);
    }
    return MailResult::success();
}

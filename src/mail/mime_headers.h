#pragma once
// Header texts of an Internet mail: encoded words for non-ASCII text, the file name parameters of
// an attachment, the address list, the date and the message identifier.
#include <QDateTime>
#include <QString>
#include <QStringList>

// The text as it may stand in a header: ASCII text as it is, anything else as UTF-8 "B" encoded
// words (=?UTF-8?B?...?=), each at most 75 characters and cut at character boundaries, joined by
// a folding line break so that no header line grows too long.
QByteArray EncodedHeaderText(const QString& text);

// The bare address of "addr@example.com" or "Name <addr@example.com>"; empty when the text
// holds no usable address (no "@", spaces or control characters inside, unbalanced brackets).
QString BareMailAddress(const QString& text);
// A mailbox for the From header: the address alone, or the display name encoded and the
// address in angle brackets.
QByteArray MailboxHeaderText(const QString& text);
// The addresses as an address list ("a@x, c@y").
QByteArray AddressListHeaderText(const QStringList& addresses);

// The Content-Type and Content-Disposition header lines of an attachment called `fileName`: an
// ASCII name as a quoted parameter; another name as an RFC 2231 parameter ("filename*=UTF-8''…")
// plus encoded words in the plain parameter for mail readers that know only that one.
QByteArray AttachmentTypeHeader(const QString& mimeType, const QString& fileName);
QByteArray AttachmentDispositionHeader(const QString& fileName);

// The Date header value in the RFC 5322 form ("15 Jan 2025 10:00:00 +0900").
QByteArray MailDateText(const QDateTime& moment);
// "<unique@domain>" with the domain of the sender's address ("localhost" without one).
QByteArray NewMessageId(const QString& senderAddress);

// The file's MIME type by its name (the workbook types; application/octet-stream otherwise).
QString AttachmentMimeType(const QString& fileName);

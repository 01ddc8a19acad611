#pragma once
// The item purchase mail: a workbook just written goes to the purchase-mail recipients
// (MailAddressTable entries 1..3) with a dated subject and body. The checks, the send and every
// message go through state.dialogs; a failure shows MailErrorReport and the program goes on.
#include <QDate>
#include <QString>
#include <array>

struct AppState;

struct PurchaseMailRequest {
    QString titlePrefix;    // put in front of subject and body (the output's date text)
    QString attachmentPath; // full path of the workbook (empty when there is none)
    QString attachmentName; // the same path relative to the data folder, for the messages
};

enum class PurchaseMailOutcome { Sent, NoRecipients, NoAttachment, Failed };

struct PurchaseMailResult {
    PurchaseMailOutcome outcome = PurchaseMailOutcome::Failed;
    int recipients = 0;
    QString detail; // why the send failed
};

// The non-empty recipients 1, 2, 3 in order, joined by ";" without spaces.
QString PurchaseMailToList(const std::array<QString, 16>& table);

QString PurchaseMailSubject(const QString& titlePrefix);
QString PurchaseMailBody(const QString& titlePrefix);
QString PurchaseMailTitle();
QString PurchaseMailOfferQuestion();
QString NoRecipientsMessage();
QString NoAttachmentMessage();
QString MailSentMessage(const QString& attachmentName);

// "yyyy年mm月dd日" of an output date.
QString OutputDateText(const QDate& date);
// The request for a workbook written at `path` on `date`.
PurchaseMailRequest OutputMailRequest(const AppState& state, const QString& path, const QDate& date);

// After an output: true when at least one recipient is registered and the user answers Yes to
// the offer (no question without recipients).
bool PurchaseMailWanted(AppState& state);

// The send with its checks and messages.
PurchaseMailResult SendPurchaseMail(AppState& state, const PurchaseMailRequest& request);

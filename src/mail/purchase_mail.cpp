#include "mail/purchase_mail.h"

#include "mail/mail_automation.h"
#include "mail/mail_error_report.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"

#include <QDir>

namespace {

constexpr int FirstRecipient = 1;
constexpr int LastRecipient = 3;

// Composes the item and sends it, call by call; the first failing call ends the sequence.
// The objects are released when they go out of scope, item first.
MailResult composeAndSend(const AppState& state, const QString& to, const PurchaseMailRequest& request,
                          int& recipients)
{
    std::unique_ptr<MailApplication> application;
    if (MailResult created = MailApplication::create(EffectiveMailServerSettings(state.ClientFolder), application);
        !created)
        return created;
    MailNamespace* mapi = application->getNamespace(QStringLiteral("MAPI"));
    if (!mapi)
        return MailResult::failure(QStringLiteral("no mail namespace"));
    if (!mapi->getDefaultFolder(MailFolder::Outbox))
        return MailResult::failure(QStringLiteral("no outbox"));
    std::unique_ptr<MailItem> item = application->createItem(MailApplication::MailItemType);
    if (!item)
        return MailResult::failure(QStringLiteral("no mail item"));
    item->setTo(to);
    item->setSubject(PurchaseMailSubject(request.titlePrefix));
    item->setBody(PurchaseMailBody(request.titlePrefix));
    if (MailResult added = item->attachments().add(request.attachmentPath); !added)
        return added;
    if (MailResult saved = item->save(); !saved)
        return saved;
    if (MailResult closed = item->close(MailItem::SaveChanges); !closed)
        return closed;
    if (MailResult sent = item->send(); !sent)
        return sent;
    recipients = int(item->recipients().size());
    return MailResult::success();
}

} // namespace

QString PurchaseMailToList(const std::array<QString, 16>& table)
{
    QString to;
    for (int entry = FirstRecipient; entry <= LastRecipient; ++entry) {
        const QString address = table[size_t(entry)].trimmed();
        if (address.isEmpty())
            continue;
        if (!to.isEmpty())
            to += u';';
        to += address;
    }
    return to;
}

QString PurchaseMailSubject(const QString& titlePrefix)
{
    return titlePrefix + QStringLiteral("在庫品購入　");
}

QString PurchaseMailBody(const QString& titlePrefix)
{
    return titlePrefix + QStringLiteral("在庫品購入  ");
}

QString PurchaseMailTitle()
{
    return QStringLiteral("登録確認");
}

QString PurchaseMailOfferQuestion()
{
    return QStringLiteral("  メール送信しますか？。　");
}

QString NoRecipientsMessage()
{
    return QStringLiteral("　在庫品送付メールアドレス未登録です。");
}

QString NoAttachmentMessage()
{
    return QStringLiteral("　在庫品Excel未登録です。");
}

QString MailSentMessage(const QString& attachmentName)
{
    return QStringLiteral("在庫品データ   \r\n") + attachmentName +
           QStringLiteral("\r\n             メールを送信完了しました。　");
}

QString OutputDateText(const QDate& date)
{
    return date.toString(QStringLiteral("yyyy年MM月dd日"));
}

PurchaseMailRequest OutputMailRequest(const AppState& state, const QString& path, const QDate& date)
{
    return PurchaseMailRequest{OutputDateText(date), path,
                               QDir::toNativeSeparators(QDir(state.DataFolder).relativeFilePath(path))};
}

bool PurchaseMailWanted(AppState& state)
{
    if (PurchaseMailToList(state.MailAddressTable).isEmpty())
        return false;
    return state.dialogs.ask(PurchaseMailTitle(), PurchaseMailOfferQuestion()) == Dialogs::Answer::Yes;
}

PurchaseMailResult SendPurchaseMail(AppState& state, const PurchaseMailRequest& request)
{
    PurchaseMailResult result;
    const QString to = PurchaseMailToList(state.MailAddressTable);
    if (to.isEmpty()) {
        state.dialogs.inform(PurchaseMailTitle(), NoRecipientsMessage());
        result.outcome = PurchaseMailOutcome::NoRecipients;
        return result;
    }
    if (request.attachmentPath.isEmpty()) {
        state.dialogs.inform(PurchaseMailTitle(), NoAttachmentMessage());
        result.outcome = PurchaseMailOutcome::NoAttachment;
        return result;
    }
    const MailResult sent = composeAndSend(state, to, request, result.recipients);
    if (!sent) {
        result.detail = sent.detail;
        MailErrorReport(state.dialogs);
        return result;
    }
    result.outcome = PurchaseMailOutcome::Sent;
    state.dialogs.inform(PurchaseMailTitle(), MailSentMessage(request.attachmentName));
    return result;
}

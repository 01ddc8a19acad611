#include "mail/mail_error_report.h"

#include "storage/dialogs.h"

QString MailErrorTitle()
{
    return QStringLiteral("登録確認");
}

QString MailErrorText()
{
    return joinLines({QStringLiteral("メール送信機能異常です。"),
                      QStringLiteral("　①当ソフトはMicrosoft製OutLookアカウント設定が必須です。 "),
                      QStringLiteral("　　Microsoft製OutLookを確認してください.。"),
                      QStringLiteral("　②ソフト使用中の発生はメールアドレス間違い有無含め確認 　")});
}

void MailErrorReport(Dialogs& dialogs)
{
    dialogs.inform(MailErrorTitle(), MailErrorText());
}

#include "settings/settings_value_messages.h"

#include "storage/dialogs.h"
#include "storage/file_error.h"

QString SettingsConfirmTitle()
{
    return QStringLiteral("登録確認");
}

QString SettingsErrorTitle()
{
    return QStringLiteral("異常確認");
}

QString DoubleQuoteRefusedMessage(const QString& what)
{
    return joinLines({QStringLiteral(" ※") + what + QStringLiteral("に「\"」（ダブルクォーテーション）は使えません。"),
                      QStringLiteral("　\"を除いて入力し直してください。")});
}

QString SettingsWriteFailedMessage(const IoResult& io)
{
    return joinLines({QStringLiteral(" ") + DescribeFileError(ClassifyFileError(io.errorCode, io.path)),
                      QStringLiteral("　") + io.path, QStringLiteral("　登録できませんでした。")});
}

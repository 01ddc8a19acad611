#include "settings/mail_server_widget.h"

#include "mail/mail_server_settings.h"
#include "mail/mime_headers.h"
#include "settings/settings_value_messages.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "ui/twips.h"
#include "ui/widget_geometry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int LabelWidth = 1440;
constexpr int FieldLeft = 1500;
constexpr int FieldWidth = 3060;
constexpr int RowHeight = 330;
constexpr int RowStep = 390;
constexpr int FirstRowTop = 360;

// Why the typed settings cannot be stored, or an empty text. Empty fields are allowed (no server).
QString settingsProblem(const MailServerSettings& settings)
{
    for (const QString& value : {settings.url, settings.sender, settings.user})
        if (value.contains(u'"'))
            return DoubleQuoteRefusedMessage(QStringLiteral("メールサーバー設定"));
    if (!settings.configured())
        return QString();
    if (!IsSmtpUrl(settings.url))
        return QStringLiteral("　SMTPサーバーは smtp://サーバー名:587 または smtps://サーバー名:465 の形で入力してください。");
    if (BareMailAddress(settings.sender).isEmpty())
        return QStringLiteral("　送信元メールアドレスが正しくありません。");
    return QString();
}

} // namespace

MailServerWidget::MailServerWidget(AppState& state, QWidget* parent) : QWidget(parent), m_state(state)
{
    setObjectName(QStringLiteral("mailServerWidget"));
    resize(twipsToPixels(WidthTwips), twipsToPixels(HeightTwips));
    placed(new QLabel(QStringLiteral("メールサーバー設定（このパソコン）"), this), QStringLiteral("mailServerCaption"), 0,
           0, WidthTwips, RowHeight);

    const auto row = [this](int index, const QString& caption, const QString& name) {
        const int top = FirstRowTop + index * RowStep;
        placed(new QLabel(caption, this), name + QStringLiteral("Label"), 0, top, LabelWidth, RowHeight);
        return placed(new QLineEdit(this), name, FieldLeft, top, FieldWidth, RowHeight);
    };
    m_url = row(0, QStringLiteral("SMTPサーバー"), QStringLiteral("mailServerUrlEdit"));
    m_url->setPlaceholderText(QStringLiteral("smtp://サーバー名:587"));
    m_sender = row(1, QStringLiteral("送信元アドレス"), QStringLiteral("mailSenderEdit"));
    m_user = row(2, QStringLiteral("ユーザー名"), QStringLiteral("mailUserEdit"));
    m_password = row(3, QStringLiteral("パスワード"), QStringLiteral("mailPasswordEdit"));
    m_password->setEchoMode(QLineEdit::Password);

    m_register = placed(new QPushButton(QStringLiteral("サーバー登録"), this), QStringLiteral("mailServerRegisterButton"),
                        FieldLeft + FieldWidth + 120, FirstRowTop + 3 * RowStep - 150, WidthTwips - FieldLeft - FieldWidth - 120,
                        480);
    connect(m_register, &QPushButton::clicked, this, &MailServerWidget::registerServer);
    load();
}

void MailServerWidget::load()
{
    const MailServerSettings settings = ReadMailServerSettings(m_state.ClientFolder);
    m_url->setText(settings.url);
    m_sender->setText(settings.sender);
    m_user->setText(settings.user);
    m_password->setText(settings.password);
}

void MailServerWidget::registerServer()
{
    const MailServerSettings settings{m_url->text().trimmed(), m_sender->text().trimmed(), m_user->text().trimmed(),
                                      m_password->text()};
    if (const QString problem = settingsProblem(settings); !problem.isEmpty()) {
        m_state.dialogs.inform(SettingsConfirmTitle(), problem);
        return;
    }
    const IoResult written = WriteMailServerSettings(m_state.ClientFolder, settings);
    if (!written) {
        m_state.dialogs.inform(SettingsErrorTitle(), SettingsWriteFailedMessage(written));
        return;
    }
    m_state.dialogs.inform(SettingsConfirmTitle(), QStringLiteral(" メールサーバーを登録しました。"));
}

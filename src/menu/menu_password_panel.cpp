#include "menu/menu_password_panel.h"

#include "menu/login_password.h"
#include "ui/busy_cursor.h"
#include "ui/clickable_label.h"
#include "ui/widget_geometry.h"

#include <QLineEdit>

MenuPasswordPanel::MenuPasswordPanel(QWidget* parent) : QWidget(parent)
{
    m_caption = placed(new ClickableLabel(QStringLiteral("ログインパスワード"), this), QStringLiteral("passwordCaption"),
                       120, 120, 2600, 330);
    m_box = placed(new QLineEdit(this), QStringLiteral("passwordBox"), 120, 520, 3600, 420);
    // The style's own mask character differs between platforms; this box always shows "*".
    m_box->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    placed(new QLabel(QStringLiteral("Password"), this), QStringLiteral("passwordHint"), 3900, 560, 1300, 330);
    setMasked(true);
    connect(m_caption, &ClickableLabel::clicked, this, [this] { setMasked(false); });
}

void MenuPasswordPanel::attach(AppState& state)
{
    connect(m_box, &QLineEdit::returnPressed, this, [this, &state] { submit(state); });
}

void MenuPasswordPanel::setMasked(bool masked)
{
    m_box->setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
}

// The box is emptied whatever the outcome, so a typed password does not stay on screen.
void MenuPasswordPanel::submit(AppState& state)
{
    const QString typed = m_box->text();
    m_box->clear();
    bool accepted = false;
    {
        BusyCursor busy; // the key derivation takes a moment
        accepted = CheckLoginPassword(state, typed);
    }
    if (accepted)
        hide();
    ApplyLoginPasswordCheck(state, accepted);
}

#include "menu/menu_admin_panel.h"

#include "menu/menu_actions.h"
#include "menu/menu_rules.h"
#include "menu/option_switches.h"
#include "storage/app_state.h"
#include "ui/clickable_label.h"
#include "ui/switch_label.h"
#include "ui/widget_geometry.h"

namespace {

constexpr int RowTop = 200;
constexpr int RowStep = 560;
constexpr int CaptionLeft = 120;
constexpr int CaptionWidth = 3900;
constexpr int SwitchLeft = 4200;

int rowTop(int row) { return RowTop + row * RowStep; }

SwitchLabel* switchAt(QWidget* parent, const QString& name, int row)
{
    return placed(new SwitchLabel(parent), name, SwitchLeft, rowTop(row), 420, 300);
}

} // namespace

MenuAdminPanel::MenuAdminPanel(QWidget* parent) : QWidget(parent)
{
    placed(new QLabel(QStringLiteral("管理者権限"), this), QStringLiteral("administratorCaption"), CaptionLeft,
           rowTop(0), CaptionWidth, 330);
    m_administrator = switchAt(this, QStringLiteral("administratorSwitch"), 0);

    m_stopAllCaption = placed(new ClickableLabel(QStringLiteral("全クライアント停止"), this),
                              QStringLiteral("stopAllCaption"), CaptionLeft, rowTop(1), CaptionWidth, 330);
    m_stopAll = switchAt(this, QStringLiteral("stopAllSwitch"), 1);

    auto* passwordCaption = placed(new QLabel(QStringLiteral("ログインパスワード"), this),
                                   QStringLiteral("loginPasswordCaption"), CaptionLeft, rowTop(2), CaptionWidth, 330);
    m_loginPassword = switchAt(this, QStringLiteral("loginPasswordSwitch"), 2);

    auto* viewOnlyCaption = placed(new QLabel(QStringLiteral("登録・訂正機能無し・確認のみ"), this),
                                   QStringLiteral("viewOnlyCaption"), CaptionLeft, rowTop(3), CaptionWidth, 330);
    m_viewOnly = switchAt(this, QStringLiteral("viewOnlySwitch"), 3);

    m_administratorOnly = {m_stopAllCaption, m_stopAll, passwordCaption, m_loginPassword, viewOnlyCaption, m_viewOnly};
    setStopAllOn(false);
}

void MenuAdminPanel::attach(AppState& state)
{
    connect(m_administrator, &SwitchLabel::clicked, this, [this, &state] {
        ToggleAdministrator(state);
        showAdministration(state);
    });
    connect(m_stopAll, &SwitchLabel::clicked, this, [this, &state] {
        ToggleStopAll(state);
        showAdministration(state);
    });
    connect(m_stopAllCaption, &ClickableLabel::clicked, this, [this, &state] {
        if (ReleaseStopAll(state))
            showAdministration(state);
    });
    connect(m_viewOnly, &SwitchLabel::clicked, this, [this, &state] {
        ToggleOptionSwitch(state, OptionSwitch::ViewOnly);
        showAdministration(state);
    });
    connect(m_loginPassword, &SwitchLabel::clicked, this, [this, &state] {
        if (!ToggleOptionSwitch(state, OptionSwitch::LoginPassword))
            return;
        showAdministration(state);
        emit loginPasswordChanged();
    });
}

void MenuAdminPanel::showAdministration(const AppState& state)
{
    const bool administrator = HasAdministratorRights(state);
    m_administrator->setOn(administrator);
    setAdministratorLabelsShown(administrator);
    setStopAllOn(IsStopAllSet(state));
    m_viewOnly->setOn(IsSwitchOn(state, OptionSwitch::ViewOnly));
    m_loginPassword->setOn(IsSwitchOn(state, OptionSwitch::LoginPassword));
}

void MenuAdminPanel::setAdministratorLabelsShown(bool shown)
{
    for (QWidget* label : m_administratorOnly)
        label->setVisible(shown);
}

void MenuAdminPanel::setStopAllOn(bool on)
{
    m_stopAll->setColourValue(on ? WindowsColour::SwitchOn : WindowsColour::ButtonFace);
}

#pragma once
// Administrator control on the menu: the administrator switch, and the labels only an
// administrator sees (the stop-all-clients switch whose caption is also the hidden release
// command, the login-password switch and the view-only switch, each with its caption).
#include <QList>
#include <QWidget>

struct AppState;
class ClickableLabel;
class QLabel;
class SwitchLabel;

class MenuAdminPanel : public QWidget {
    Q_OBJECT
public:
    explicit MenuAdminPanel(QWidget* parent = nullptr);

    // Connects the switches and the hidden release command to the state; each click repaints
    // the panel from the settings it leaves behind.
    void attach(AppState& state);

    // Paints the switches from the settings and shows the administrator-only labels when this
    // client has administrator rights.
    void showAdministration(const AppState& state);
    void setAdministratorLabelsShown(bool shown);

    SwitchLabel* administratorSwitch() const { return m_administrator; }
    SwitchLabel* stopAllSwitch() const { return m_stopAll; }
    ClickableLabel* stopAllCaption() const { return m_stopAllCaption; }
    SwitchLabel* loginPasswordSwitch() const { return m_loginPassword; }
    SwitchLabel* viewOnlySwitch() const { return m_viewOnly; }

    // The stop-all switch is off in the button face colour, not white.
    void setStopAllOn(bool on);

signals:
    // The login-password switch changed: PasswordRequired tells whether the panel is wanted.
    void loginPasswordChanged();

public:
    static constexpr int WidthTwips = 5400;
    static constexpr int HeightTwips = 2600;

private:
    SwitchLabel* m_administrator;
    ClickableLabel* m_stopAllCaption;
    SwitchLabel* m_stopAll;
    SwitchLabel* m_loginPassword;
    SwitchLabel* m_viewOnly;
    QList<QWidget*> m_administratorOnly;
};

#pragma once
// The mail server of this client on the mail panel: SMTP URL, sender, user and password, stored
// in the client folder by "サーバー登録" (never in the shared data folder).
#include <QWidget>

struct AppState;
class QLineEdit;
class QPushButton;

class MailServerWidget : public QWidget {
    Q_OBJECT
public:
    explicit MailServerWidget(AppState& state, QWidget* parent = nullptr);

    static constexpr int WidthTwips = 6120;
    static constexpr int HeightTwips = 2040;

    // The fields from the files of the client folder.
    void load();

private:
    void registerServer();

    AppState& m_state;
    QLineEdit* m_url = nullptr;
    QLineEdit* m_sender = nullptr;
    QLineEdit* m_user = nullptr;
    QLineEdit* m_password = nullptr;
    QPushButton* m_register = nullptr;
};

#pragma once
// The login password panel: its caption, the box that shows "*" for each typed character and
// a "Password" hint. Enter checks the typed password; a click on the caption shows what was
// typed.
#include <QWidget>

struct AppState;
class ClickableLabel;
class QLineEdit;

class MenuPasswordPanel : public QWidget {
    Q_OBJECT
public:
    explicit MenuPasswordPanel(QWidget* parent = nullptr);

    // Connects Enter in the box to the password check of the state.
    void attach(AppState& state);

    ClickableLabel* caption() const { return m_caption; }
    QLineEdit* passwordBox() const { return m_box; }
    // Typed characters shown as "*" (masked) or as typed.
    void setMasked(bool masked);

    static constexpr int WidthTwips = 5400;
    static constexpr int HeightTwips = 1300;

private:
    void submit(AppState& state);

    ClickableLabel* m_caption;
    QLineEdit* m_box;
};

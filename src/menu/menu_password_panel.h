#pragma once
// The login password panel: its caption, the box that shows "*" for each typed character and
// a "Password" hint.
#include <QWidget>

class ClickableLabel;
class QLineEdit;

class MenuPasswordPanel : public QWidget {
    Q_OBJECT
public:
    explicit MenuPasswordPanel(QWidget* parent = nullptr);

    ClickableLabel* caption() const { return m_caption; }
    QLineEdit* passwordBox() const { return m_box; }
    // Typed characters shown as "*" (masked) or as typed.
    void setMasked(bool masked);

    static constexpr int WidthTwips = 5400;
    static constexpr int HeightTwips = 1300;

private:
    ClickableLabel* m_caption;
    QLineEdit* m_box;
};

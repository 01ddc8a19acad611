#pragma once
// The "運用事例" panel: short examples of how sites use the program, over the middle of the
// menu until "閉じる" hides it again.
#include <QFrame>

class QLabel;
class QPushButton;

class MenuExamplesPanel : public QFrame {
    Q_OBJECT
public:
    explicit MenuExamplesPanel(QWidget* parent = nullptr);

    QLabel* examplesText() const { return m_text; }
    QPushButton* closeButton() const { return m_close; }

    static constexpr int WidthTwips = 15600;
    static constexpr int HeightTwips = 7200;

private:
    QLabel* m_text;
    QPushButton* m_close;
};

#pragma once
// The vocabulary panel (Picture1): the word list List1 of the column being edited, "追記" and
// "閉じる".
#include <QFrame>

class ClickableLabel;

class VocabularyPanel : public QFrame {
    Q_OBJECT
public:
    explicit VocabularyPanel(QWidget* parent = nullptr);
    static constexpr int WidthTwips = 4200;
    static constexpr int HeightTwips = 5600;

    // The picture along the top of the panel; a click clears the screen.
    ClickableLabel* topPicture() const { return m_top; }

private:
    ClickableLabel* m_top = nullptr;
};

#pragma once
// The vocabulary panel (Picture1): the word list List1 of the column being edited, "追記" and
// "閉じる".
#include <QFrame>

class ClickableLabel;
class EditFramePanel;
class QLabel;
class QListWidget;
class QPushButton;
class VocabularyTable;

class VocabularyPanel : public QFrame {
    Q_OBJECT
public:
    explicit VocabularyPanel(QWidget* parent = nullptr);
    static constexpr int WidthTwips = 4200;
    static constexpr int HeightTwips = 5600;

    // The picture along the top of the panel; a click clears the screen.
    ClickableLabel* topPicture() const { return m_top; }
    QListWidget* wordList() const { return m_list; }

    // Puts the panel beside the edit frame's text entry: at its usual place (14160, 2280) when
    // that leaves the frame's button row ("閉じる", "履　歴", …) and text entry box in view, else
    // right of the entry box just above the button row, else below the frame, else above it;
    // always wholly inside the screen's background. The command bar stays in view too: where
    // the panel is too tall for the room between the command bar and the frame's buttons, its
    // list is made shorter (down to a few words) to fit that room.
    void placeBeside(const EditFramePanel& frame);

    // Shows entries 1..count of list `list`, each as its number, spaces and the word (empty
    // words too).
    void fill(const QString& caption, const VocabularyTable& table, int list, int count);

    // "1    ボルト" → 1, "10001  ナット" → 10001.
    static int wordNumberOf(const QString& entry);
    static QString entryText(int number, const QString& word);

signals:
    void wordPicked(int wordNumber);
    void addWordClicked();

private:
    ClickableLabel* m_top = nullptr;
    QLabel* m_caption = nullptr;
    QLabel* m_count = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_add = nullptr;
    QPushButton* m_close = nullptr;

    // The list `pixels` high, the buttons under it and the panel around them.
    void setListHeight(int pixels);
};

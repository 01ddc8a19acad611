#pragma once
// The vocabulary panel (Picture1): the word list List1 of the column being edited, "追記" and
// "閉じる".
#include <QFrame>

class ClickableLabel;
class QLabel;
class QListWidget;
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
};

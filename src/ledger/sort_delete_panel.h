#pragma once
// The sort/delete panel (Picture12 with its header Picture10): the list MSFlexGrid3, its labels
// and buttons.
#include <QFrame>

class FlexGrid;
class QPushButton;

class SortDeletePanel : public QFrame {
    Q_OBJECT
public:
    explicit SortDeletePanel(QWidget* parent = nullptr);
    static constexpr int WidthTwips = 9600;
    static constexpr int HeightTwips = 7800;

    FlexGrid* list() const { return m_list; }
    QPushButton* registerButton() const { return m_register; }

    // MSFlexGrid3: seven columns captioned ColumnCaptions[0..6], every cell left-aligned.
    void prepareList(const QStringList& captions);

private:
    FlexGrid* m_list = nullptr;
    QPushButton* m_register = nullptr;
};

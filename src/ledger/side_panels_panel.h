#pragma once
// The smaller regions of the ledger screen: the vocabulary panel (Picture1), the monthly in/out
// panel (Picture24), the sort/delete panel (Picture12 with Picture10) with its status button
// (Picture8) and the Excel busy notice (Picture5). They are laid out here; what they do
// belongs to the vocabulary, monthly import and sort/delete work, connected where marked.
#include <QFrame>

class ClickableLabel;
class FlexGrid;
class QLabel;
class QListWidget;
class QPushButton;

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

class MonthlyImportPanel : public QFrame {
    Q_OBJECT
public:
    explicit MonthlyImportPanel(QWidget* parent = nullptr);
    static constexpr int WidthTwips = 3760;
    static constexpr int HeightTwips = 1560;

    QPushButton* editButton() const { return m_edit; }
    QPushButton* importButton() const { return m_import; }
    QPushButton* closeButton() const { return m_close; }

private:
    QPushButton* m_edit = nullptr;
    QPushButton* m_import = nullptr;
    QPushButton* m_close = nullptr;
};

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

#pragma once
// The vocabulary editor of the settings screen: one word list in a grid, the editing box with
// Enter and the arrow keys, insert, delete, clear-below and swap (each previewed in the grid and
// applied only after a Yes), "閉じる" and "登　録". It edits the in-memory lists of AppState;
// "登　録" writes them with the counts in the shared settings.
#include <QFrame>
#include <functional>

struct AppState;
class ColourLabel;
class FlexGrid;
class QLabel;
class QLineEdit;
class QPushButton;

class VocabularyEditorPanel : public QFrame {
    Q_OBJECT
public:
    explicit VocabularyEditorPanel(AppState& state, QWidget* parent = nullptr);

    static constexpr int WidthTwips = 4800;
    static constexpr int HeightTwips = 8880;
    static constexpr quint32 HeaderColour = 15128749;
    static constexpr quint32 EditorColour = 11829830;
    static constexpr quint32 LampIdle = 12632319;

    // The screen's lighter reset, run by the editing actions of this panel.
    void setLighterReset(std::function<void()> reset) { m_lighterReset = std::move(reset); }

    // A list button: list k (2..6) under its caption, drawn from memory. A pending swap ends.
    void showList(int list, const QString& caption);
    int currentList() const { return m_list; }
    int currentRow() const;
    bool swapPending() const { return m_swapPending; }
    // Lamp to its idle colour.
    void resetLight();

    // Changes confirmed in the editor and not yet registered with "登　録".
    bool hasUnregisteredChanges() const { return m_unregistered; }
    // "登　録": true when the lists are stored; a refusal or a failure has been told.
    bool registerChanges();
    // The lists again as their files hold them: the changes are dropped.
    void discardChanges();

    FlexGrid* grid() const { return m_grid; }
    QLineEdit* wordBox() const { return m_wordBox; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void setUpGrid();
    void drawList(int selectRow);
    void showEntries(int firstRow, int lastRow);
    void moveTo(int row);
    void loadBox(const QString& text);
    void showCount();
    int rowCount() const;
    void lighterReset();

    void rowClicked(int row);
    void enterPressed();
    void stepRow(int step);
    void insertRow();
    void deleteRow();
    void clearBelow();
    void startSwap();
    void listsChanged();
    // Shows the preview, asks, applies it on Yes, then redraws from memory.
    template <class Preview>
    void previewAndApply(Preview preview);

    AppState& m_state;
    std::function<void()> m_lighterReset;
    int m_list = 1; // no list chosen yet
    bool m_swapPending = false;
    bool m_unregistered = false;
    int m_swapFirstRow = 0;

    QLabel* m_listName = nullptr;
    QLabel* m_count = nullptr;
    ColourLabel* m_lamp = nullptr;
    FlexGrid* m_grid = nullptr;
    QLineEdit* m_wordBox = nullptr;
    QPushButton* m_swap = nullptr;
    QPushButton* m_insert = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_clearBelow = nullptr;
    QPushButton* m_close = nullptr;
    QPushButton* m_register = nullptr;
};

#pragma once
// The names panel of the settings screen ("項目数及び名称設定"): the ledger column names and the
// sizes of the five word lists in one grid, the upper limit of the sizes offered, and the
// registration that makes the names the captions of every screen.
#include "settings/column_name_settings.h"

#include <QFrame>

struct AppState;
class FlexGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class ColumnNamesPanel : public QFrame {
    Q_OBJECT
public:
    explicit ColumnNamesPanel(AppState& state, QWidget* parent = nullptr);

    static constexpr int WidthTwips = 5880;
    static constexpr int HeightTwips = 4440;

    // Shows the panel with the shared settings read again; the grid keeps what it shows.
    void open();
    // Lamps idle, name editor and size chooser hidden.
    void resetLight();
    // The grid from the shared settings in memory (done once when the panel is built).
    void fillGrid();

    // Names or sizes changed here and not yet written to the shared settings.
    bool hasUnregisteredChanges() const { return m_edits.hasUnwritten(); }
    // "登　録": true when the names and sizes are stored; a refusal or a failure has been told.
    bool registerChanges();
    // The names and sizes again as the shared settings file holds them: the changes are dropped.
    void discardChanges();

signals:
    void settingsChanged();

private:
    void cellClicked(int row, int col);
    void openNameEditor(int row);
    void openSizeChooser(int row);
    void nameEntered();
    void sizeChosen(int index);
    void limitChosen(int index);
    void explain();
    void fillSizeChooser();
    void fillLimitChooser();
    void selectCell(int row, int col);
    void reportWriteFailure(const IoResult& result);

    AppState& m_state;
    ColumnNameEdits m_edits;
    int m_row = 0; // grid row being edited
    FlexGrid* m_grid = nullptr;
    QLineEdit* m_nameEditor = nullptr;
    QComboBox* m_sizeChooser = nullptr;
    QComboBox* m_limitChooser = nullptr;
    QLabel* m_namesLamp = nullptr;
    QLabel* m_limitLamp = nullptr;
    QPushButton* m_register = nullptr;
    QPushButton* m_explain = nullptr;
    QPushButton* m_close = nullptr;
};

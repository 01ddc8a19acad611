#pragma once
// The two placement boxes of the settings screen's main panel: "DetaFolder" (the data live in a
// folder of their own) and "C:PFolder" (they live in the program folder). The box of the
// current placement is pink. A click on the first explains; a click on the second offers to
// return the data folder to the program folder.
#include <QWidget>

struct AppState;
class SwitchLabel;

class PlacementBoxesWidget : public QWidget {
    Q_OBJECT
public:
    explicit PlacementBoxesWidget(AppState& state, QWidget* parent = nullptr);

    static constexpr int WidthTwips = 3480;
    static constexpr int HeightTwips = 840;

    // Colours from client settings line 1 against the program folder.
    void refresh();

    SwitchLabel* dataFolderBox() const { return m_dataFolderBox; }
    SwitchLabel* programFolderBox() const { return m_programFolderBox; }

signals:
    void closeAllPanelsRequested(); // before its questions
    void settingsChanged();
    // The data folder is the program folder again: the data folder panel shows it.
    void returnedToProgramFolder();

private:
    void explainPlacement();
    void returnToProgramFolder();

    AppState& m_state;
    SwitchLabel* m_dataFolderBox = nullptr;
    SwitchLabel* m_programFolderBox = nullptr;
};

#pragma once
// The settings screen (form2): the main panel (list buttons, start month, backup boxes, the
// place of the data folder placement boxes), the command bar and the pop-up panels, of which one
// at a time is shown. The vocabulary editor is built here; the other pop-up panels are added
// with addPopupPanel and take part in closing all panels and in the lighter reset.
#include <QList>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <vector>

struct AppState;
class MailPanel;
class QComboBox;
class QLabel;
class QPushButton;
class ScreenHost;
class SwitchLabel;
class VocabularyEditorPanel;

class SettingsScreen : public QWidget {
    Q_OBJECT
public:
    explicit SettingsScreen(ScreenHost& host, QWidget* parent = nullptr);

    static constexpr int WidthTwips = 17100;
    static constexpr int HeightTwips = 9840;
    static constexpr int RaiseTwips = 200;
    // Where a pop-up panel sits unless it was placed before it was added.
    static constexpr int PopupLeft = 6480;
    static constexpr int PopupTop = 240;
    static constexpr int PlacementAreaWidth = 5760;
    static constexpr int PlacementAreaHeight = 2400;

    // Hides every pop-up panel with its editors and puts every lamp to its idle colour.
    void closeAllPanels();
    // Only the lamps and the editors of the panels: what the editing actions run first.
    void lighterReset();
    // Captions, start month and placement boxes again from the settings in memory (after a
    // panel changed names, captions or the data folder).
    void refreshFromSettings();

    // A pop-up panel: part of closeAllPanels and of the lighter reset (through its resetLight()),
    // hidden by the list buttons; its settingsChanged() refreshes the screen. With `opener`,
    // that command-bar button closes all panels and then calls the panel's open(). A panel that
    // keeps edits until its "登録" offers hasUnregisteredChanges(), registerChanges() and
    // discardChanges(), and takes part in the question before the screen closes.
    template <class Panel>
    void addPopupPanel(Panel* panel, QPushButton* opener = nullptr)
    {
        Popup popup{panel};
        if constexpr (requires { panel->resetLight(); })
            popup.resetLight = [panel] { panel->resetLight(); };
        std::function<void()> open;
        if constexpr (requires { panel->open(); })
            open = [panel] { panel->open(); };
        if constexpr (requires { bool(panel->hasUnregisteredChanges()); })
            popup.edits = PendingEdits{[panel] { return panel->hasUnregisteredChanges(); },
                                       [panel] { return panel->registerChanges(); },
                                       [panel] { panel->discardChanges(); }};
        registerPopup(std::move(popup), std::move(open), opener);
        if constexpr (requires { &Panel::settingsChanged; })
            connect(panel, &Panel::settingsChanged, this, &SettingsScreen::refreshFromSettings);
    }

    // The data folder placement boxes, put into their area of the main panel: refreshed with
    // the screen, closing all panels before their questions.
    template <class Boxes>
    void setPlacementBoxes(Boxes* boxes)
    {
        std::function<void()> refresh;
        if constexpr (requires { boxes->refresh(); })
            refresh = [boxes] { boxes->refresh(); };
        placePlacementBoxes(boxes, std::move(refresh));
        if constexpr (requires { &Boxes::closeAllPanelsRequested; })
            connect(boxes, &Boxes::closeAllPanelsRequested, this, &SettingsScreen::closeAllPanels);
        if constexpr (requires { &Boxes::settingsChanged; })
            connect(boxes, &Boxes::settingsChanged, this, &SettingsScreen::refreshFromSettings);
    }

    QWidget* mainPanel() const { return m_mainPanel; }
    QWidget* placementArea() const { return m_placementArea; }
    VocabularyEditorPanel* vocabularyEditor() const { return m_editor; }
    QPushButton* namesButton() const { return m_namesButton; }
    QPushButton* mailButton() const { return m_mailButton; }
    QPushButton* vocabularyExcelButton() const { return m_excelButton; }
    QPushButton* exitButton() const { return m_exitButton; }
    QPushButton* dataFolderButton() const { return m_dataFolderButton; }
    QPushButton* explainButton() const { return m_explainButton; }

    // The panels holding changes that are not registered, in the order in which leaving the
    // screen registers them: the vocabulary editor, then the pop-up panels as they were added.
    QList<QWidget*> unregisteredPanels() const;
    // Asked before the screen closes ("終      了" or the window's close button). With changes
    // not registered: Yes registers them as each panel's "登録" would and stays on the screen
    // when one fails, No drops them, Cancel stays. True when the screen may close.
    Q_INVOKABLE bool mayClose();

private:
    struct PendingEdits {
        std::function<bool()> pending;
        std::function<bool()> store;
        std::function<void()> discard;
    };
    struct Popup {
        QPointer<QWidget> panel;
        std::function<void()> resetLight;
        std::optional<PendingEdits> edits;
    };
    struct PanelEdits {
        QWidget* panel;
        PendingEdits edits;
    };
    std::vector<PanelEdits> panelsWithEdits() const;

    void buildMainPanel();
    void buildCommandBar();
    void addNamesAndMailPanels();
    void addDataFolderPanels();
    void followDataFolder();
    void open();
    void registerPopup(Popup popup, std::function<void()> open, QPushButton* opener);
    void placePlacementBoxes(QWidget* boxes, std::function<void()> refresh);
    void hidePopups();
    void showListCaptions();
    void showStartMonth();
    void showBackupBoxes();

    void listButtonClicked(int list);
    void startMonthChosen(int index);
    void rollOver(const QString& current, const QString& chosen);
    void setBackup(bool on);
    void exportVocabularyWorkbook();
    void exitToMenu();

    ScreenHost& m_host;
    AppState& m_state;

    QWidget* m_mainPanel = nullptr;
    std::array<QPushButton*, 5> m_listButtons{};
    QLabel* m_startMonth = nullptr;
    QComboBox* m_startMonthChooser = nullptr;
    SwitchLabel* m_backupOn = nullptr;
    SwitchLabel* m_backupOff = nullptr;
    QWidget* m_placementArea = nullptr;
    std::function<void()> m_refreshPlacement;
    QLabel* m_excelBusy = nullptr;

    QPushButton* m_namesButton = nullptr;
    QPushButton* m_mailButton = nullptr;
    QPushButton* m_excelButton = nullptr;
    QPushButton* m_exitButton = nullptr;
    QPushButton* m_dataFolderButton = nullptr;
    QPushButton* m_explainButton = nullptr;

    VocabularyEditorPanel* m_editor = nullptr;
    MailPanel* m_mail = nullptr;
    QString m_mailFolder; // the data folder whose recipients the mail panel shows
    std::vector<Popup> m_popups;
};

#pragma once
// The import screen (Form10): the item import and the vocabulary import from the workbooks of
// the import folder, the folder panel that chooses that folder, and the timed item import that
// waits for its time of day. The runs themselves are in the core (import_run.h).
#include "excel_import/import_schedule.h"

#include <QTime>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

struct AppState;
class BusyCursor;
class ClickableLabel;
class ImportFolderPanel;
class QLabel;
class QPushButton;
class QTimer;
class ScreenHost;
struct ImportRunView;

class ImportScreen : public QWidget {
    Q_OBJECT
public:
    explicit ImportScreen(ScreenHost& host, QWidget* parent = nullptr);
    ~ImportScreen() override;

    static constexpr int WidthTwips = 16800;
    static constexpr int HeightTwips = 9000;
    // Colours (Windows colour values) of the chosen import folder and of the status lamp after
    // an interactive and after a timed import.
    static constexpr quint32 ChosenFolderColour = 14804223;
    static constexpr quint32 LampDone = 255;
    static constexpr quint32 LampTimedDone = 12632319;

    enum class Mode { Interactive, Timed };
    Mode mode() const { return m_mode; }
    ImportFolderPanel* folderPanel() const { return m_folderPanel; }

    // The clock the timed import reads (the local time unless a test sets another).
    void setClock(std::function<QTime()> clock) { m_clock = std::move(clock); }
    // One look at the clock in timed mode: shows the time and runs the import when it is due.
    void checkClock();

private:
    void buildControls();
    void connectControls();
    void open();
    QPushButton* button(const QString& objectName, const QString& caption, int slot);
    void moveToSlot(QPushButton* button, int slot);

    // Modes and buttons.
    void enterItemMode();
    void enterVocabularyMode();
    void leaveMode();
    void exitScreen();
    void explain();

    // The folder panel.
    void showFolderPanel();
    void folderChosen(const QString& folder);
    void registerFolder();

    // The imports.
    ImportRunView runView();
    static std::function<void(bool)> busySwitch(std::optional<BusyCursor>& cursor);
    void runItemImport();
    void runVocabularyImport();
    void setLamp(quint32 colour);
    void setCount(int count);

    // The timed import (import_timed_screen.cpp).
    void buildTimedControls();
    void offerTimedImport();
    void setImportTime();
    void startTimedImport();
    void runTimedImport();
    void showStatus(bool importing);
    void showImportTime();

    ScreenHost& m_host;
    AppState& m_state;
    Mode m_mode = Mode::Interactive;

    QLabel* m_dataFolder = nullptr;
    ClickableLabel* m_importFolder = nullptr;
    QLabel* m_importPath = nullptr;
    QLabel* m_kind = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_lamp = nullptr;
    ImportFolderPanel* m_folderPanel = nullptr;

    QPushButton* m_itemMode = nullptr;        // Command5
    QPushButton* m_itemStart = nullptr;       // Command6
    QPushButton* m_vocabularyMode = nullptr;  // Command10
    QPushButton* m_vocabularyStart = nullptr; // Command11
    QPushButton* m_cancel = nullptr;          // Command8
    QPushButton* m_exit = nullptr;            // Command7
    QPushButton* m_help = nullptr;            // Command44
    QPushButton* m_timedOffer = nullptr;
    QPushButton* m_timedStart = nullptr;      // Command4
    QPushButton* m_timeSetting = nullptr;     // Command33

    QLabel* m_clockCaption = nullptr;
    QLabel* m_clockLabel = nullptr;
    QLabel* m_importTime = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_lastRun = nullptr;
    QLabel* m_statusPicture = nullptr;

    QTimer* m_timer = nullptr;
    std::function<QTime()> m_clock = [] { return QTime::currentTime(); };
    std::optional<TimedImportSchedule> m_schedule;
    std::unique_ptr<BusyCursor> m_waitingCursor;
};

#pragma once
// The data folder panel of the settings screen: the location in use, a path editor to type a new
// one, a drive list and folder tree to browse, the files of the browsed folder, and the commands
// that register a location and transfer the data into it.
#include <QFrame>
#include <memory>

struct AppState;
class ClickableLabel;
class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressDialog;
class QPushButton;
class QTreeView;
class BusyCursor;
class SwitchLabel;
struct TransferHooks;

class DataFolderPanel : public QFrame {
    Q_OBJECT
public:
    explicit DataFolderPanel(AppState& state, QWidget* parent = nullptr);
    ~DataFolderPanel() override;

    static constexpr int WidthTwips = 8055;
    static constexpr int HeightTwips = 7140;
    static constexpr quint32 LampIdle = 12632319;
    static constexpr quint32 LampChanged = 255;
    static constexpr quint32 EditorBackground = 14804223;

    // Shows the panel on the data folder in use; a data folder that cannot be used leads to
    // the recovery question.
    void open();
    // The panel's share of the lighter reset and of closing all panels: lamp idle, "データ転送",
    // the path editor and the old-folder label hidden.
    void resetLight();
    // After the placement boxes returned the data to the program folder: the panel shows it.
    void showReturnToProgramFolder();

    // The candidate location: the browsed or typed folder, normalised.
    QString candidate() const { return m_candidate; }

signals:
    // The data folder, the shared settings or the word lists changed.
    void settingsChanged();

private:
    void openPathEditor();
    void registerLocation(const QString& typed);
    void transfer();
    // The busy pointer and the progress dialog of the copies; both go before any message.
    TransferHooks copyHooks();
    void endCopies();
    void showDataFolderChange();
    void browseTo(const QString& folder);
    void driveChosen(int index);
    void pointChoosersAt(const QString& folder);
    void fillDrives(const QString& folder);
    void fillFileList(const QString& folder);
    void showOldFolder(bool shown);
    void setLamp(quint32 colour);

    AppState& m_state;
    QString m_candidate;
    bool m_pointing = false; // the choosers are moved by the program, not browsed

    ClickableLabel* m_pathLabel = nullptr;
    QLineEdit* m_pathEditor = nullptr;
    QLabel* m_oldFolderLabel = nullptr;
    QLabel* m_oldFolderPicture = nullptr;
    QComboBox* m_drives = nullptr;
    QFileSystemModel* m_model = nullptr;
    QTreeView* m_folders = nullptr;
    QListWidget* m_files = nullptr;
    QPushButton* m_transfer = nullptr;
    QPushButton* m_register = nullptr;
    QPushButton* m_explanation = nullptr;
    QPushButton* m_close = nullptr;
    SwitchLabel* m_lamp = nullptr;
    std::unique_ptr<BusyCursor> m_busy;
    std::unique_ptr<QProgressDialog> m_progress;
};

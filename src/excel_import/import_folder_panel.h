#pragma once
// The folder panel of the import screen: the drive list, the folder list and the workbooks of
// the chosen folder, with "登　録" and "閉じる". Choosing a folder names it as the import folder;
// the screen keeps and stores it.
#include <QFrame>
#include <QModelIndex>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QListWidget;
class QPushButton;
class QTreeView;

class ImportFolderPanel : public QFrame {
    Q_OBJECT
public:
    explicit ImportFolderPanel(QWidget* parent = nullptr);

    static constexpr int WidthTwips = 9600;
    static constexpr int HeightTwips = 5640;

    QComboBox* driveList() const { return m_drives; }
    QTreeView* folderList() const { return m_folders; }
    QListWidget* workbookList() const { return m_workbooks; }
    QLabel* folderLabel() const { return m_folderLabel; }
    QPushButton* registerButton() const { return m_register; }
    QPushButton* closeButton() const { return m_close; }

    // Fills the drive list and points the folder list at `folder` (the home folder when it does
    // not exist), without choosing it.
    void showFolder(const QString& folder);
    // A folder picked in the folder list: named as the import folder, its workbooks listed.
    void chooseFolder(const QString& path);

signals:
    // The chosen folder, ending in exactly one separator.
    void folderChosen(const QString& folder);
    void workbookClicked();

private:
    void fillDrives(const QString& folder);
    void driveChosen(int index);
    void listWorkbooks(const QString& folder);
    QModelIndex modelIndex(const QString& path) const;

    QComboBox* m_drives = nullptr;
    QTreeView* m_folders = nullptr;
    QFileSystemModel* m_model = nullptr;
    QListWidget* m_workbooks = nullptr;
    QLabel* m_folderLabel = nullptr;
    QPushButton* m_register = nullptr;
    QPushButton* m_close = nullptr;
};

#include "excel_import/import_folder_panel.h"

#include "excel_import/import_folder_choice.h"
#include "ui/widget_geometry.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>

ImportFolderPanel::ImportFolderPanel(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);

    placed(new QLabel(QStringLiteral("インポートExceLデータディスク位置"), this), QStringLiteral("diskCaption"), 120, 120,
           4800, 330);
    m_drives = placed(new QComboBox(this), QStringLiteral("Drive1"), 120, 480, 4800, 360);
    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setRootPath(QString());
    m_folders = placed(new QTreeView(this), QStringLiteral("Dir1"), 120, 960, 4800, 4560);
    m_folders->setModel(m_model);
    for (int column = 1; column < m_model->columnCount(); ++column)
        m_folders->hideColumn(column);
    m_folders->header()->hide();

    placed(new QLabel(QStringLiteral("Ｅｘｃｅｌﾌｧｲﾙ参照"), this), QStringLiteral("workbookCaption"), 5160, 120, 4320, 330);
    m_folderLabel = placed(new QLabel(this), QStringLiteral("chosenFolderLabel"), 5160, 480, 4320, 360);
    m_folderLabel->setFrameShape(QFrame::Box);
    m_workbooks = placed(new QListWidget(this), QStringLiteral("File1"), 5160, 960, 4320, 3840);
    m_register = placed(new QPushButton(QStringLiteral("登　録"), this), QStringLiteral("Command9"), 5160, 4920, 2040, 600);
    m_close = placed(new QPushButton(QStringLiteral("閉じる"), this), QStringLiteral("Command2"), 7440, 4920, 2040, 600);

    connect(m_drives, &QComboBox::activated, this, &ImportFolderPanel::driveChosen);
    connect(m_folders->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    chooseFolder(m_model->filePath(current));
            });
    connect(m_workbooks, &QListWidget::itemClicked, this, &ImportFolderPanel::workbookClicked);
}

void ImportFolderPanel::showFolder(const QString& folder)
{
    const QString shown = QFileInfo(folder).isDir() ? QDir(folder).absolutePath() : QDir::homePath();
    fillDrives(shown);
    const QString drive = m_drives->currentData().toString();
    m_folders->setRootIndex(modelIndex(drive.isEmpty() ? QStorageInfo(shown).rootPath() : drive));
    const QModelIndex index = modelIndex(shown);
    m_folders->scrollTo(index);
    m_folders->expand(index);
    listWorkbooks(ChosenImportFolder(shown));
}

void ImportFolderPanel::chooseFolder(const QString& path)
{
    const QString folder = ChosenImportFolder(path);
    if (folder.isEmpty())
        return;
    m_folderLabel->setText(folder);
    listWorkbooks(folder);
    emit folderChosen(folder);
}

// The drive list offers the home folder and the mounted volumes; the one holding `folder` is shown.
void ImportFolderPanel::fillDrives(const QString& folder)
{
    m_drives->clear();
    const QString home = ChosenImportFolder(QDir::homePath());
    const QString containing = ChosenImportFolder(QStorageInfo(folder).rootPath());
    for (const QString& root : ImportDriveRoots())
        m_drives->addItem(root, root);
    const int shown = m_drives->findData(ChosenImportFolder(folder).startsWith(home) ? home : containing);
    if (shown >= 0)
        m_drives->setCurrentIndex(shown);
}

// A drive that is not ready leaves the folder list as it was.
void ImportFolderPanel::driveChosen(int index)
{
    const QString root = m_drives->itemData(index).toString();
    if (root.isEmpty() || !QFileInfo(root).isDir())
        return;
    m_folders->setRootIndex(modelIndex(root));
}

QModelIndex ImportFolderPanel::modelIndex(const QString& path) const
{
    return m_model->index(QDir::cleanPath(QDir::fromNativeSeparators(path)));
}

void ImportFolderPanel::listWorkbooks(const QString& folder)
{
    m_workbooks->clear();
    m_workbooks->addItems(ImportWorkbookNames(folder));
}

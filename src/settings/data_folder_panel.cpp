#include "settings/data_folder_panel.h"

#include "excel_import/import_folder_choice.h"
#include "settings/data_folder_registration.h"
#include "settings/data_folder_texts.h"
#include "settings/data_folder_transfer.h"
#include "storage/shared_checks.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/settings_lines.h"
#include "ui/busy_cursor.h"
#include "ui/clickable_label.h"
#include "ui/colours.h"
#include "ui/switch_label.h"
#include "ui/widget_geometry.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>

namespace {

constexpr int PathTop = 1320;
constexpr int PathLeft = 240;
constexpr int PathWidth = 7575;
constexpr int PathHeight = 375;
constexpr int ButtonTop = 6360;
constexpr int ButtonWidth = 1815;
constexpr int ButtonHeight = 600;

QString treePath(const QString& folder)
{
    return QDir::cleanPath(QDir::fromNativeSeparators(folder));
}

} // namespace

DataFolderPanel::DataFolderPanel(AppState& state, QWidget* parent) : QFrame(parent), m_state(state)
{
    setObjectName(QStringLiteral("dataFolderPanel"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    resize(twipsRect(0, 0, WidthTwips, HeightTwips).size());

    placed(new QLabel(QStringLiteral("データフォルダー位置"), this), QStringLiteral("dataFolderCaption"), 240, 240, 4800, 420);
    m_lamp = placed(new SwitchLabel(this), QStringLiteral("dataFolderLamp"), 7560, 300, 255, 255);
    m_lamp->setCursor(Qt::ArrowCursor);
    m_oldFolderPicture = placed(new QLabel(QStringLiteral("旧 ⇒"), this), QStringLiteral("oldFolderPicture"), 240, 840, 840, 375);
    m_oldFolderLabel = placed(new QLabel(this), QStringLiteral("oldFolderLabel"), 1140, 840, 6675, 375);
    m_oldFolderLabel->setFrameShape(QFrame::Box);

    m_pathLabel = placed(new ClickableLabel(this), QStringLiteral("dataFolderPathLabel"), PathLeft, PathTop, PathWidth,
                         PathHeight);
    m_pathLabel->setFrameShape(QFrame::Box);
    m_pathLabel->setAutoFillBackground(true);
    m_pathLabel->setBackgroundRole(QPalette::Base);
    m_pathLabel->setCursor(Qt::IBeamCursor);
    m_pathEditor = placed(new QLineEdit(this), QStringLiteral("dataFolderPathEditor"), PathLeft, PathTop, PathWidth,
                          PathHeight);
    QPalette editorColours = m_pathEditor->palette();
    editorColours.setColor(QPalette::Base, colourFromWindows(EditorBackground));
    m_pathEditor->setPalette(editorColours);

    m_drives = placed(new QComboBox(this), QStringLiteral("driveChooser"), 240, 1860, 3600, 360);
    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_model->setRootPath(QString());
    m_folders = placed(new QTreeView(this), QStringLiteral("folderChooser"), 240, 2340, 3600, 3840);
    m_folders->setModel(m_model);
    for (int column = 1; column < m_model->columnCount(); ++column)
        m_folders->hideColumn(column);
    m_folders->header()->hide();
    placed(new QLabel(QStringLiteral("ﾌｧｲﾙ参照"), this), QStringLiteral("fileListCaption"), 4080, 1860, 3735, 360);
    m_files = placed(new QListWidget(this), QStringLiteral("fileList"), 4080, 2340, 3735, 3840);

    m_transfer = placed(new QPushButton(QStringLiteral("データ転送"), this), QStringLiteral("transferButton"), 240,
                        ButtonTop, ButtonWidth, ButtonHeight);
    m_register = placed(new QPushButton(QStringLiteral("登　録"), this), QStringLiteral("registerButton"), 2160,
                        ButtonTop, ButtonWidth, ButtonHeight);
    m_explanation = placed(new QPushButton(QStringLiteral("説明"), this), QStringLiteral("explanationButton"), 4080,
                           ButtonTop, ButtonWidth, ButtonHeight);
    m_close = placed(new QPushButton(QStringLiteral("閉じる"), this), QStringLiteral("closeButton"), 6000, ButtonTop,
                     ButtonWidth, ButtonHeight);

    connect(m_pathLabel, &ClickableLabel::clicked, this, &DataFolderPanel::openPathEditor);
    connect(m_pathEditor, &QLineEdit::returnPressed, this, [this] { registerLocation(m_pathEditor->text()); });
    connect(m_register, &QPushButton::clicked, this, [this] {
        registerLocation(m_pathEditor->isVisible() ? m_pathEditor->text() : m_pathLabel->text());
    });
    connect(m_transfer, &QPushButton::clicked, this, &DataFolderPanel::transfer);
    connect(m_explanation, &QPushButton::clicked, this,
            [this] { m_state.dialogs.inform(DataFolderText::ConfirmTitle, DataFolderPanelExplanation()); });
    connect(m_close, &QPushButton::clicked, this, [this] {
        m_pathEditor->hide();
        hide();
    });
    connect(m_drives, &QComboBox::activated, this, &DataFolderPanel::driveChosen);
    connect(m_folders->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (!m_pointing && current.isValid())
                    browseTo(m_model->filePath(current));
            });

    m_transfer->hide();
    m_pathEditor->hide();
    showOldFolder(false);
    setLamp(LampIdle);
}

DataFolderPanel::~DataFolderPanel() = default;

void DataFolderPanel::open()
{
    show();
    raise();
    showOldFolder(false);
    m_pathEditor->hide();
    setGeometryTwips(m_pathEditor, PathLeft, PathTop, PathWidth, PathHeight);
    m_explanation->setVisible(!ReadFlag(m_state.ClientSettings[ClientLine::HideExplanations]));

    if (PrepareDataFolderPanel(m_state, copyHooks()) == PanelOpening::Recovered) {
        setLamp(LampChanged);
        emit settingsChanged();
    }
    m_pathLabel->setText(m_state.DataFolder);
    m_pathEditor->setText(m_state.DataFolder);
    if (QFileInfo(m_state.DataFolder).isDir()) {
        pointChoosersAt(m_state.DataFolder);
        browseTo(m_state.DataFolder);
    } else {
        m_candidate = m_state.DataFolder;
        m_files->clear();
    }
    m_state.EditPending = false;
}

void DataFolderPanel::resetLight()
{
    setLamp(LampIdle);
    m_transfer->hide();
    m_pathEditor->hide();
    showOldFolder(false);
}

void DataFolderPanel::showReturnToProgramFolder()
{
    m_pathLabel->setText(m_state.DataFolder);
    m_pathEditor->setText(m_state.DataFolder);
    pointChoosersAt(m_state.DataFolder);
    browseTo(m_state.DataFolder);
    setLamp(LampChanged);
}

void DataFolderPanel::openPathEditor()
{
    const QString text = m_pathLabel->text();
    setGeometryTwips(m_pathEditor, PathLeft, PathTop, PathWidth, PathHeight);
    m_pathEditor->setText(text);
    qsizetype caret = text.size();
    while (caret > 0 && text[caret - 1].isSpace())
        --caret;
    m_pathEditor->setCursorPosition(int(caret));
    m_pathEditor->show();
    m_pathEditor->raise();
    m_pathEditor->setFocus();
}

void DataFolderPanel::registerLocation(const QString& typed)
{
    m_pathEditor->hide();
    showOldFolder(true);
    m_candidate = NormaliseCandidate(FieldText(typed));
    m_pathLabel->setText(m_candidate);
    m_oldFolderLabel->setText(m_state.ClientSettings[ClientLine::DataFolder]);

    const RegisterResult result = RegisterDataFolder(m_state, typed);
    m_pathLabel->setText(result.pathLabel);
    if (result.outcome != RegisterOutcome::Registered) {
        showOldFolder(false);
        return;
    }
    fillFileList(result.oldFolder);
    pointChoosersAt(m_state.DataFolder);
    m_transfer->show();
    setLamp(LampChanged);
    emit settingsChanged();
}

TransferHooks DataFolderPanel::copyHooks()
{
    TransferHooks hooks;
    hooks.busy = [this](bool on) {
        if (on)
            m_busy = std::make_unique<BusyCursor>();
        else
            endCopies();
    };
    hooks.progress = [this](int step, int steps, const QString& name) {
        if (!m_progress) {
            m_progress = std::make_unique<QProgressDialog>(QString(), QString(), 0, steps, this);
            m_progress->setObjectName(QStringLiteral("transferProgress"));
            m_progress->setWindowTitle(DataFolderText::ConfirmTitle);
            m_progress->setWindowModality(Qt::WindowModal);
            m_progress->setMinimumDuration(500);
        }
        m_progress->setLabelText(name);
        m_progress->setValue(step - 1);
    };
    return hooks;
}

// A message box opened while the progress dialog stands could open beneath it and leave the
// program looking stuck: the dialog is gone before anything is said.
void DataFolderPanel::endCopies()
{
    m_progress.reset();
    m_busy.reset();
}

void DataFolderPanel::transfer()
{
    if (RefuseWhenViewOnly(m_state))
        return;
    const TransferResult result = TransferDataFolder(m_state, m_pathLabel->text(), copyHooks());
    endCopies();
    switch (result.outcome) {
    case TransferOutcome::Transferred:
    case TransferOutcome::RegisteredWithoutCopy:
        showDataFolderChange();
        break;
    case TransferOutcome::NotTransferred:
        // The client works in the source again; the target stays in the path label and the
        // button stays, so that the transfer can be made again once its cause is removed.
        setLamp(LampChanged);
        emit settingsChanged();
        break;
    default:
        break;
    }
}

// After a transfer or a registration without copies the client works in the target: the
// choosers and the file list show it.
void DataFolderPanel::showDataFolderChange()
{
    setLamp(LampChanged);
    pointChoosersAt(m_state.DataFolder);
    browseTo(m_state.DataFolder);
    emit settingsChanged();
}

// A folder chosen in the tree (or shown by the program): the candidate, the path label and the
// file list follow it; no setting changes.
void DataFolderPanel::browseTo(const QString& folder)
{
    m_pathEditor->hide();
    m_candidate = NormaliseCandidate(QDir::toNativeSeparators(folder));
    m_pathLabel->setText(m_candidate);
    m_oldFolderLabel->setText(m_state.ClientSettings[ClientLine::PreviousDataFolder]);
    fillFileList(m_candidate);
}

// A drive that is not ready leaves the folder tree as it was.
void DataFolderPanel::driveChosen(int index)
{
    m_pathEditor->hide();
    const QString root = m_drives->itemData(index).toString();
    if (root.isEmpty() || !QFileInfo(root).isDir())
        return;
    m_pointing = true;
    m_folders->setRootIndex(m_model->index(treePath(root)));
    m_pointing = false;
    browseTo(root);
}

// Moves the drive list and the folder tree to `folder` without browsing.
void DataFolderPanel::pointChoosersAt(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return;
    fillDrives(folder);
    m_pointing = true;
    const QString drive = m_drives->currentData().toString();
    m_folders->setRootIndex(m_model->index(treePath(drive.isEmpty() ? QStorageInfo(folder).rootPath() : drive)));
    const QModelIndex index = m_model->index(treePath(folder));
    m_folders->setCurrentIndex(index);
    m_folders->scrollTo(index);
    m_folders->expand(index);
    m_pointing = false;
}

// The drive list offers the home folder and the mounted volumes (each ending in a separator);
// the longest one that holds `folder` is shown.
void DataFolderPanel::fillDrives(const QString& folder)
{
    m_drives->clear();
    const QString shown = NormaliseCandidate(QDir::toNativeSeparators(folder));
    int best = -1;
    qsizetype bestLength = -1;
    for (const QString& root : ImportDriveRoots()) {
        m_drives->addItem(root, root);
        if (shown.startsWith(root) && root.size() > bestLength) {
            best = m_drives->count() - 1;
            bestLength = root.size();
        }
    }
    if (best >= 0)
        m_drives->setCurrentIndex(best);
}

// The ordinary files of the folder by name; a folder that cannot be listed leaves the list empty.
void DataFolderPanel::fillFileList(const QString& folder)
{
    m_files->clear();
    if (folder.isEmpty())
        return;
    m_files->addItems(QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name));
}

void DataFolderPanel::showOldFolder(bool shown)
{
    m_oldFolderLabel->setVisible(shown);
    m_oldFolderPicture->setVisible(shown);
}

void DataFolderPanel::setLamp(quint32 colour)
{
    m_lamp->setColourValue(colour);
}

#include "excel_import/import_screen.h"

#include "excel_import/import_folder_choice.h"
#include "excel_import/import_folder_panel.h"
#include "excel_import/import_run.h"
#include "excel_import/import_texts.h"
#include "excel_import/import_workbook_path.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/ledger_file.h"
#include "storage/shared_checks.h"
#include "ui/busy_cursor.h"
#include "ui/clickable_label.h"
#include "ui/colours.h"
#include "ui/screen_host.h"
#include "ui/tab_order.h"
#include "ui/widget_geometry.h"

#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int ButtonLeft = 12600;
constexpr int ButtonTop = 1080;
constexpr int ButtonStep = 720;
constexpr int ButtonWidth = 2400;
constexpr int ButtonHeight = 600;

QLabel* boxLabel(QLabel* label)
{
    label->setFrameShape(QFrame::Box);
    label->setAutoFillBackground(true);
    return label;
}

void paintBackground(QWidget* widget, quint32 colour)
{
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), colourFromWindows(colour, palette));
    widget->setPalette(palette);
    widget->setProperty("colourValue", colour);
}

} // namespace

ImportScreen::ImportScreen(ScreenHost& host, QWidget* parent) : QWidget(parent), m_host(host), m_state(host.state())
{
    setObjectName(QStringLiteral("Form10"));
    setFixedSize(twipsRect(0, 0, WidthTwips, HeightTwips).size());
    buildControls();
    buildTimedControls();
    connectControls();
    open();
    SetTabOrderOfScreen(this);
}

ImportScreen::~ImportScreen() = default;

QPushButton* ImportScreen::button(const QString& objectName, const QString& caption, int slot)
{
    auto* created = new QPushButton(caption, this);
    created->setObjectName(objectName);
    moveToSlot(created, slot);
    return created;
}

// The button column: slot 0 at the top.
void ImportScreen::moveToSlot(QPushButton* button, int slot)
{
    setGeometryTwips(button, ButtonLeft, ButtonTop + slot * ButtonStep, ButtonWidth, ButtonHeight);
}

void ImportScreen::buildControls()
{
    auto* heading = placed(new QLabel(QStringLiteral("在庫品データインポート"), this), QStringLiteral("headingLabel"),
                           360, 240, 7000, 600);
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.6);
    headingFont.setBold(true);
    heading->setFont(headingFont);

    placed(new QLabel(QStringLiteral("在庫管理データ位置"), this), QStringLiteral("dataFolderCaption"), 360, 1080, 2400, 360);
    m_dataFolder = boxLabel(placed(new QLabel(this), QStringLiteral("dataFolderLabel"), 2880, 1080, 7080, 360));
    placed(new QLabel(QStringLiteral("取り込みデータ位置"), this), QStringLiteral("importFolderCaption"), 360, 1560, 2400, 360);
    m_importFolder = placed(new ClickableLabel(this), QStringLiteral("importFolderLabel"), 2880, 1560, 7080, 360);
    boxLabel(m_importFolder)->setCursor(Qt::PointingHandCursor);
    m_importPath = placed(new QLabel(this), QStringLiteral("importPathLabel"), 2880, 2040, 7080, 360);
    m_kind = placed(new QLabel(QStringLiteral("在庫品件数"), this), QStringLiteral("kindLabel"), 360, 2520, 2400, 360);
    m_count = boxLabel(placed(new QLabel(this), QStringLiteral("countLabel"), 2880, 2520, 1800, 360));
    m_count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lamp = boxLabel(placed(new QLabel(this), QStringLiteral("ImportStatusLamp"), 4920, 2520, 480, 360));
    paintBackground(m_lamp, WindowsColour::ButtonFace);

    m_folderPanel = placed(new ImportFolderPanel(this), QStringLiteral("folderPanel"), 360, 3000,
                           ImportFolderPanel::WidthTwips, ImportFolderPanel::HeightTwips);

    m_itemMode = button(QStringLiteral("Command5"), QStringLiteral("在庫品データインポート"), 0);
    m_itemStart = button(QStringLiteral("Command6"), QStringLiteral("在庫品インポート開始"), 0);
    m_vocabularyMode = button(QStringLiteral("Command10"), QStringLiteral("在庫品項目インポート"), 1);
    m_vocabularyStart = button(QStringLiteral("Command11"), QStringLiteral("在庫品項目INP開始"), 0);
    m_cancel = button(QStringLiteral("Command8"), QStringLiteral("中　　止"), 1);
    m_timedOffer = button(QStringLiteral("timedImportButton"), QStringLiteral("自動取込"), 2);
    m_timedStart = button(QStringLiteral("Command4"), QStringLiteral("自動取り込開始"), 3);
    m_timeSetting = button(QStringLiteral("Command33"), QStringLiteral("取り込時刻設定"), 4);
    m_exit = button(QStringLiteral("Command7"), QStringLiteral("終　了"), 6);
    m_help = button(QStringLiteral("Command44"), QStringLiteral("説明"), 7);
}

void ImportScreen::connectControls()
{
    connect(m_itemMode, &QPushButton::clicked, this, &ImportScreen::enterItemMode);
    connect(m_itemStart, &QPushButton::clicked, this, &ImportScreen::runItemImport);
    connect(m_vocabularyMode, &QPushButton::clicked, this, &ImportScreen::enterVocabularyMode);
    connect(m_vocabularyStart, &QPushButton::clicked, this, &ImportScreen::runVocabularyImport);
    connect(m_cancel, &QPushButton::clicked, this, &ImportScreen::leaveMode);
    connect(m_exit, &QPushButton::clicked, this, &ImportScreen::exitScreen);
    connect(m_help, &QPushButton::clicked, this, &ImportScreen::explain);
    connect(m_timedOffer, &QPushButton::clicked, this, &ImportScreen::offerTimedImport);
    connect(m_timedStart, &QPushButton::clicked, this, &ImportScreen::startTimedImport);
    connect(m_timeSetting, &QPushButton::clicked, this, &ImportScreen::setImportTime);

    connect(m_importFolder, &ClickableLabel::clicked, this, &ImportScreen::showFolderPanel);
    connect(m_folderPanel, &ImportFolderPanel::folderChosen, this, &ImportScreen::folderChosen);
    connect(m_folderPanel->registerButton(), &QPushButton::clicked, this, &ImportScreen::registerFolder);
    connect(m_folderPanel->closeButton(), &QPushButton::clicked, m_folderPanel, &QWidget::hide);
    connect(m_folderPanel, &ImportFolderPanel::workbookClicked, this,
            [this] { m_state.dialogs.inform(ImportText::ConfirmTitle, WorkbookListExplanation()); });
}

// The opening sequence, in its order.
void ImportScreen::open()
{
    setWindowTitle(ImportWindowTitle());
    centreWindow(this);
    m_dataFolder->setText(m_state.DataFolder);
    m_importFolder->setText(ImportFolderPath(m_state));
    for (QWidget* hidden : {m_itemStart, m_cancel, m_vocabularyStart, m_timeSetting, m_timedStart})
        hidden->hide();
    m_folderPanel->hide();
    m_count->clear();
    m_kind->clear();
    m_help->setVisible(!ReadFlag(m_state.ClientSettings[ClientLine::HideExplanations]));
    {
        LedgerCloser closer(m_state);
        OpenLedger(m_state);
    }
    CheckStopAll(m_state);
    m_mode = Mode::Interactive;
}

// "在庫品データインポート": the folder panel and the start button of the item import.
void ImportScreen::enterItemMode()
{
    m_statusPicture->hide();
    showFolderPanel();
    for (QWidget* hidden : {m_timeSetting, m_timedStart, m_itemMode, m_exit, m_vocabularyMode, m_vocabularyStart,
                            m_timedOffer})
        hidden->hide();
    moveToSlot(m_itemStart, 0);
    moveToSlot(m_cancel, 1);
    m_itemStart->show();
    m_cancel->show();
    m_mode = Mode::Interactive;
    {
        LedgerCloser closer(m_state);
        OpenLedger(m_state);
    }
    setCount(m_state.RecordCount);
    m_kind->setText(ImportText::ItemModeKind);
}

// "在庫品項目インポート": the folder panel and the start button of the vocabulary import.
void ImportScreen::enterVocabularyMode()
{
    m_count->clear();
    m_kind->setText(ImportText::VocabularyKind);
    m_statusPicture->hide();
    showFolderPanel();
    for (QWidget* hidden : {m_itemMode, m_itemStart, m_exit, m_vocabularyMode, m_timedOffer, m_timedStart,
                            m_timeSetting})
        hidden->hide();
    moveToSlot(m_vocabularyStart, 0);
    moveToSlot(m_cancel, 1);
    m_vocabularyStart->show();
    m_cancel->show();
}

// "中　　止": back to the opening choice of buttons.
void ImportScreen::leaveMode()
{
    m_folderPanel->hide();
    for (QWidget* shown : {m_itemMode, m_exit, m_vocabularyMode, m_timedOffer})
        shown->show();
    for (QWidget* hidden : {m_itemStart, m_cancel, m_vocabularyStart})
        hidden->hide();
    m_count->clear();
    m_kind->clear();
}

// "終　了": back to the menu; a screen waiting for its import time ends the program instead.
void ImportScreen::exitScreen()
{
    if (m_mode == Mode::Timed) {
        m_timer->stop();
        m_state.closeAllFiles();
        m_state.requestEnd();
        return;
    }
    m_host.closeScreen();
}

void ImportScreen::explain()
{
    m_state.dialogs.inform(ImportText::ConfirmTitle, ImportHelpText());
}

void ImportScreen::showFolderPanel()
{
    const QString folder = m_importFolder->text().trimmed();
    m_folderPanel->showFolder(folder.isEmpty() ? m_state.DataFolder : folder);
    m_folderPanel->show();
    m_folderPanel->raise();
}

// A folder picked in the panel is the import folder from now on; "登　録" keeps it.
void ImportScreen::folderChosen(const QString& folder)
{
    m_importFolder->setText(folder);
    paintBackground(m_importFolder, ChosenFolderColour);
    m_state.SharedSettings[SharedLine::ImportFolder] = folder;
}

void ImportScreen::registerFolder()
{
    const StoreFolderResult stored = StoreImportFolder(m_state, m_importFolder->text());
    if (stored.outcome == StoreFolderOutcome::NotSet)
        m_state.dialogs.inform(ImportText::ConfirmTitle, NoImportFolderMessage());
    else if (stored.outcome == StoreFolderOutcome::WriteFailed)
        m_state.dialogs.inform(ImportText::ErrorTitle, SaveFailureMessage(stored.io));
}

// The busy pointer of a run: on while it reads or writes, off while it asks or tells.
std::function<void(bool)> ImportScreen::busySwitch(std::optional<BusyCursor>& cursor)
{
    return [&cursor](bool on) {
        if (on && !cursor)
            cursor.emplace();
        else if (!on)
            cursor.reset();
    };
}

ImportRunView ImportScreen::runView()
{
    ImportRunView view;
    view.showPath = [this](const QString& path) { m_importPath->setText(path); };
    view.showCount = [this](int count) { setCount(count); };
    return view;
}

void ImportScreen::setCount(int count)
{
    m_count->setText(QString::number(count));
    m_count->repaint();
}

void ImportScreen::setLamp(quint32 colour)
{
    paintBackground(m_lamp, colour);
}

// "在庫品インポート開始".
void ImportScreen::runItemImport()
{
    m_folderPanel->hide();
    m_kind->setText(ImportText::ItemListKind);
    std::optional<BusyCursor> busy;
    std::unique_ptr<QProgressDialog> progress;
    ImportRunView view = runView();
    view.busy = busySwitch(busy);
    view.progress = [this, &progress](CommitStage stage, int done, int total) {
        if (stage == CommitStage::Started) {
            progress = std::make_unique<QProgressDialog>(QStringLiteral("在庫品データを取り込んでいます。"),
                                                         QStringLiteral("中止"), 0, total, this);
            progress->setWindowModality(Qt::WindowModal);
            progress->setMinimumDuration(500);
        }
        if (!progress)
            return true;
        if (stage == CommitStage::Replaced)
            progress->setCancelButton(nullptr);
        progress->setValue(done);
        return stage == CommitStage::Replaced || !progress->wasCanceled();
    };
    const ImportRunResult result = RunItemImport(m_state, ImportRunMode::Interactive, view);
    progress.reset();
    busy.reset();
    if (result.outcome == ImportOutcome::Done)
        setLamp(LampDone);
    else if (result.outcome == ImportOutcome::Unreadable)
        m_statusPicture->hide();
}

// "在庫品項目INP開始".
void ImportScreen::runVocabularyImport()
{
    m_folderPanel->hide();
    m_count->clear();
    m_kind->setText(ImportText::VocabularyKind);
    std::optional<BusyCursor> busy;
    ImportRunView view = runView();
    view.busy = busySwitch(busy);
    const ImportRunResult result = RunVocabularyImport(m_state, view);
    busy.reset();
    if (result.outcome == ImportOutcome::Unreadable)
        m_statusPicture->hide();
}

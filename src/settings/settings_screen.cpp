#include "settings/settings_screen.h"

#include "excel_output/vocabulary_workbook.h"
#include "excel_output/workbook_output_notice.h"
#include "ledger/column_captions.h"
#include "settings/column_names_panel.h"
#include "settings/data_folder_panel.h"
#include "settings/mail_address_file.h"
#include "settings/mail_panel.h"
#include "settings/placement_boxes_widget.h"
#include "settings/settings_texts.h"
#include "settings/start_month.h"
#include "settings/vocabulary_editor_panel.h"
#include "settings/year_rollover.h"
#include "storage/shared_checks.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/settings_files.h"
#include "storage/shared_settings_change.h"
#include "storage/vocabulary.h"
#include "ui/busy_cursor.h"
#include "ui/screen_host.h"
#include "ui/switch_label.h"
#include "ui/tab_order.h"
#include "ui/widget_geometry.h"

#include <QComboBox>
#include <QDate>
#include <QDateTime>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <memory>

namespace {

// Right of the widest pop-up panel (the data folder panel, 8055 twips from PopupLeft).
constexpr int CommandLeft = 14700;
constexpr int CommandTop = 240;
constexpr int CommandStep = 720;
constexpr int CommandWidth = 2160;
constexpr int CommandHeight = 600;

// List k is offered by the list button with ColumnCaptions[caption].
struct ListButton {
    int list;
    int caption;
};
constexpr std::array<ListButton, 5> ListButtons{{
    {2, CaptionIndex::Name},
    {3, CaptionIndex::Name + 1},
    {4, CaptionIndex::Name + 2},
    {5, CaptionIndex::Place},
    {6, CaptionIndex::Unit},
}};

QLabel* boxLabel(QLabel* label)
{
    label->setFrameShape(QFrame::Box);
    label->setAutoFillBackground(true);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

SettingsScreen::SettingsScreen(ScreenHost& host, QWidget* parent) : QWidget(parent), m_host(host), m_state(host.state())
{
    setObjectName(QStringLiteral("form2"));
    setFixedSize(twipsRect(0, 0, WidthTwips, HeightTwips).size());
    buildMainPanel();
    buildCommandBar();
    m_editor = placed(new VocabularyEditorPanel(m_state, this), QStringLiteral("vocabularyEditorPanel"), PopupLeft,
                      PopupTop, VocabularyEditorPanel::WidthTwips, VocabularyEditorPanel::HeightTwips);
    m_editor->setLighterReset([this] { lighterReset(); });
    addNamesAndMailPanels();
    addDataFolderPanels();
    m_excelBusy = boxLabel(placed(new QLabel(QStringLiteral(" Excel出力中　"), this), QStringLiteral("excelBusyPanel"),
                                  7440, 4080, 3000, 600));
    open();
    SetTabOrderOfScreen(this);
}

void SettingsScreen::buildMainPanel()
{
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::Panel);
    m_mainPanel = placed(panel, QStringLiteral("mainPanel"), 120, 120, 6120, 9480);

    auto* heading = placed(new QLabel(QStringLiteral("リスト項目情報"), panel), QStringLiteral("listHeading"), 240, 120, 3600, 420);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.2);
    heading->setFont(headingFont);
    for (size_t i = 0; i < ListButtons.size(); ++i) {
        const int list = ListButtons[i].list;
        m_listButtons[i] = placed(new QPushButton(panel), QStringLiteral("listButton%1").arg(list), 480,
                                  600 + int(i) * 540, 3600, 480);
        connect(m_listButtons[i], &QPushButton::clicked, this, [this, list] { listButtonClicked(list); });
    }

    placed(new QLabel(QStringLiteral("在庫管理開始年月"), panel), QStringLiteral("startMonthCaption"), 240, 3480, 2160, 360);
    m_startMonth = boxLabel(placed(new QLabel(panel), QStringLiteral("startMonthLabel"), 2520, 3480, 1200, 360));
    m_startMonthChooser = placed(new QComboBox(panel), QStringLiteral("startMonthChooser"), 3840, 3480, 1560, 360);
    connect(m_startMonthChooser, &QComboBox::activated, this, &SettingsScreen::startMonthChosen);

    placed(new QLabel(QStringLiteral("データバックアップ"), panel), QStringLiteral("backupCaption"), 240, 4080, 2160, 360);
    m_backupOn = placed(new SwitchLabel(panel), QStringLiteral("backupOnBox"), 2520, 4080, 720, 360);
    m_backupOff = placed(new SwitchLabel(panel), QStringLiteral("backupOffBox"), 3360, 4080, 720, 360);
    m_backupOn->setText(QStringLiteral("有"));
    m_backupOff->setText(QStringLiteral("無"));
    m_backupOn->setAlignment(Qt::AlignCenter);
    m_backupOff->setAlignment(Qt::AlignCenter);
    connect(m_backupOn, &SwitchLabel::clicked, this, [this] { setBackup(true); });
    connect(m_backupOff, &SwitchLabel::clicked, this, [this] { setBackup(false); });

    m_placementArea = placed(new QWidget(panel), QStringLiteral("placementArea"), 120, 4680, PlacementAreaWidth,
                             PlacementAreaHeight);
}

void SettingsScreen::buildCommandBar()
{
    const auto command = [this](const QString& name, const QString& caption, int slot) {
        return placed(new QPushButton(caption, this), name, CommandLeft, CommandTop + slot * CommandStep, CommandWidth,
                      CommandHeight);
    };
    m_namesButton = command(QStringLiteral("namesButton"), QStringLiteral("項目名及び項目数設定"), 0);
    m_mailButton = command(QStringLiteral("mailButton"), QStringLiteral("メールアドレス設定"), 1);
    m_excelButton = command(QStringLiteral("vocabularyExcelButton"), QStringLiteral("項目Ｅｘｃｅｌ出力"), 2);
    m_exitButton = command(QStringLiteral("exitButton"), QStringLiteral("終      了"), 3);
    m_dataFolderButton = command(QStringLiteral("dataFolderButton"), QStringLiteral("データフォルダー設定"), 4);
    m_explainButton = command(QStringLiteral("explainButton"), QStringLiteral("説明"), 5);

    // The panels' own open() follows through addPopupPanel, after all panels are closed.
    for (QPushButton* opener : {m_namesButton, m_mailButton, m_dataFolderButton})
        connect(opener, &QPushButton::clicked, this, &SettingsScreen::closeAllPanels);
    connect(m_excelButton, &QPushButton::clicked, this, &SettingsScreen::exportVocabularyWorkbook);
    connect(m_exitButton, &QPushButton::clicked, this, &SettingsScreen::exitToMenu);
    connect(m_explainButton, &QPushButton::clicked, this,
            [this] { m_state.dialogs.inform(SettingsText::ConfirmTitle, SettingsExplanation()); });
}

// The opening sequence, in its order.
void SettingsScreen::open()
{
    centreWindow(this, RaiseTwips);
    m_state.EditPending = false;
    setWindowTitle(SettingsWindowTitle());

    ReadSharedSettings(m_state);
    RebuildColumnCaptions(m_state);
    ReadVocabularyLists(m_state);

    m_startMonthChooser->addItems(StartMonthChoices(QDate::currentDate()));
    showStartMonth();
    showBackupBoxes();

    m_explainButton->setVisible(!ReadFlag(m_state.ClientSettings[ClientLine::HideExplanations]));
    closeAllPanels();
    showListCaptions();
}

void SettingsScreen::addNamesAndMailPanels()
{
    auto* names = placed(new ColumnNamesPanel(m_state, this), QStringLiteral("columnNamesPanel"), PopupLeft, PopupTop,
                         ColumnNamesPanel::WidthTwips, ColumnNamesPanel::HeightTwips);
    addPopupPanel(names, m_namesButton);
    m_mail = placed(new MailPanel(m_state, this), QStringLiteral("mailPanel"), PopupLeft, PopupTop,
                    MailPanel::WidthTwips, MailPanel::HeightTwips);
    addPopupPanel(m_mail, m_mailButton);
    m_mailFolder = m_state.DataFolder;
}

// The recipients and the word lists belong to the data folder: another data folder brings its
// own, and the changes made to those of the folder left are gone with it.
void SettingsScreen::followDataFolder()
{
    if (m_state.DataFolder == m_mailFolder)
        return;
    m_mailFolder = m_state.DataFolder;
    ReadMailAddressTable(m_state);
    m_mail->fillGrids();
    m_editor->discardChanges();
}

// The data folder panel and the placement boxes of the main panel; a return to the program folder
// made through the boxes is shown by the panel as well.
void SettingsScreen::addDataFolderPanels()
{
    auto* folder = placed(new DataFolderPanel(m_state, this), QStringLiteral("dataFolderPanel"), PopupLeft, PopupTop,
                          DataFolderPanel::WidthTwips, DataFolderPanel::HeightTwips);
    addPopupPanel(folder, m_dataFolderButton);
    auto* boxes = new PlacementBoxesWidget(m_state);
    setPlacementBoxes(boxes);
    connect(boxes, &PlacementBoxesWidget::returnedToProgramFolder, folder, &DataFolderPanel::showReturnToProgramFolder);
    connect(folder, &DataFolderPanel::settingsChanged, this, &SettingsScreen::followDataFolder);
    connect(boxes, &PlacementBoxesWidget::settingsChanged, this, &SettingsScreen::followDataFolder);
}

void SettingsScreen::registerPopup(Popup popup, std::function<void()> open, QPushButton* opener)
{
    QWidget* panel = popup.panel;
    if (panel->parentWidget() != this) {
        panel->setParent(this);
        moveTwips(panel, PopupLeft, PopupTop);
    }
    panel->hide();
    m_popups.push_back(std::move(popup));
    if (opener)
        connect(opener, &QPushButton::clicked, panel, [panel, open = std::move(open)] {
            if (open)
                open();
            else
                panel->show();
            panel->raise();
        });
}

void SettingsScreen::placePlacementBoxes(QWidget* boxes, std::function<void()> refresh)
{
    boxes->setParent(m_placementArea);
    boxes->move(0, 0);
    boxes->show();
    m_refreshPlacement = std::move(refresh);
    if (m_refreshPlacement)
        m_refreshPlacement();
}

void SettingsScreen::hidePopups()
{
    for (const Popup& popup : m_popups)
        if (popup.panel)
            popup.panel->hide();
}

void SettingsScreen::closeAllPanels()
{
    for (const Popup& popup : m_popups) {
        if (!popup.panel)
            continue;
        if (popup.resetLight)
            popup.resetLight();
        popup.panel->hide();
    }
    m_editor->resetLight();
    m_editor->hide();
    m_excelBusy->hide();
}

void SettingsScreen::lighterReset()
{
    for (const Popup& popup : m_popups)
        if (popup.panel && popup.resetLight)
            popup.resetLight();
    m_editor->resetLight();
}

void SettingsScreen::refreshFromSettings()
{
    RebuildColumnCaptions(m_state);
    showListCaptions();
    showStartMonth();
    if (m_refreshPlacement)
        m_refreshPlacement();
}

void SettingsScreen::showListCaptions()
{
    for (size_t i = 0; i < ListButtons.size(); ++i)
        m_listButtons[i]->setText(m_state.ColumnCaptions[size_t(ListButtons[i].caption)]);
}

// The label and the chooser show shared settings line 9; a month outside the choices shows in
// the chooser without being selected.
void SettingsScreen::showStartMonth()
{
    const QString month = m_state.SharedSettings[SharedLine::StartMonth];
    m_startMonth->setText(month);
    m_startMonthChooser->setCurrentIndex(m_startMonthChooser->findText(FieldText(month)));
    m_startMonthChooser->setPlaceholderText(month);
}

void SettingsScreen::showBackupBoxes()
{
    const bool on = ReadFlag(m_state.ClientSettings[ClientLine::Backup]);
    m_backupOn->setOn(on);
    m_backupOff->setOn(!on);
}

void SettingsScreen::listButtonClicked(int list)
{
    hidePopups();
    for (size_t i = 0; i < ListButtons.size(); ++i)
        if (ListButtons[i].list == list)
            m_editor->showList(list, m_listButtons[i]->text());
}

void SettingsScreen::startMonthChosen(int index)
{
    const QString chosen = m_startMonthChooser->itemText(index);
    const QString shown = FieldText(m_state.SharedSettings[SharedLine::StartMonth]);
    if (chosen.isEmpty() || chosen == shown)
        return;
    if (RefuseWhenViewOnly(m_state)) {
        showStartMonth();
        return;
    }
    // The decision compares with the month in the file now: another PC may have changed it (or
    // rolled the year over) since this screen opened.
    ReadSharedSettings(m_state);
    const QString current = FieldText(m_state.SharedSettings[SharedLine::StartMonth]);
    if (current != shown) {
        m_state.dialogs.inform(SettingsText::ConfirmTitle, StartMonthChangedElsewhereMessage(shown, current));
        showStartMonth();
        return;
    }

    if (IsNextLedgerYear(current, chosen)) {
        // Its No keeps the quantities and changes only the month, as the question says.
        if (m_state.dialogs.askDefaultNo(SettingsText::ConfirmTitle, RolloverQuestion(current, chosen))
            == Dialogs::Answer::Yes) {
            rollOver(current, chosen);
            return;
        }
    } else if (m_state.dialogs.askDefaultNo(SettingsText::ConfirmTitle, StartMonthRelabelQuestion(current, chosen))
               != Dialogs::Answer::Yes) {
        // Every client would show the entered months under other months: only on a clear Yes.
        showStartMonth();
        return;
    }

    if (const IoResult written = ChangeSharedSettings(m_state, {{SharedLine::StartMonth, chosen}}); !written)
        m_state.dialogs.inform(SettingsText::ErrorTitle, StartMonthNotSavedMessage(written));
    showStartMonth();
}

void SettingsScreen::rollOver(const QString& current, const QString& chosen)
{
    std::unique_ptr<QProgressDialog> progress;
    RolloverResult result;
    {
        BusyCursor busy;
        result = RollOverLedgerYear(m_state, current, chosen, QDateTime::currentDateTime(),
                                    [this, &progress](CommitStage stage, int done, int total) {
                                        if (stage == CommitStage::Started) {
                                            progress = std::make_unique<QProgressDialog>(
                                                QStringLiteral("新しい年度の台帳を作成しています。"), QString(), 0, total,
                                                this);
                                            progress->setWindowModality(Qt::WindowModal);
                                            progress->setMinimumDuration(500);
                                        }
                                        if (progress)
                                            progress->setValue(done);
                                        return true;
                                    });
        progress.reset();
    }
    if (!result.ok())
        ReadSharedSettings(m_state); // show what the file holds now
    m_state.dialogs.inform(result.ok() ? SettingsText::ConfirmTitle : SettingsText::ErrorTitle,
                           RolloverMessage(result, chosen));
    showStartMonth();
}

std::vector<SettingsScreen::PanelEdits> SettingsScreen::panelsWithEdits() const
{
    std::vector<PanelEdits> panels{{m_editor,
                                    {[this] { return m_editor->hasUnregisteredChanges(); },
                                     [this] { return m_editor->registerChanges(); },
                                     [this] { m_editor->discardChanges(); }}}};
    for (const Popup& popup : m_popups)
        if (popup.panel && popup.edits)
            panels.push_back({popup.panel, *popup.edits});
    return panels;
}

QList<QWidget*> SettingsScreen::unregisteredPanels() const
{
    QList<QWidget*> panels;
    for (const PanelEdits& panel : panelsWithEdits())
        if (panel.edits.pending())
            panels.append(panel.panel);
    return panels;
}

bool SettingsScreen::mayClose()
{
    std::vector<PanelEdits> pending;
    for (PanelEdits& panel : panelsWithEdits())
        if (panel.edits.pending())
            pending.push_back(std::move(panel));
    if (pending.empty())
        return true;
    switch (m_state.dialogs.askYesNoCancel(SettingsText::ConfirmTitle, UnregisteredChangesQuestion())) {
    case Dialogs::Choice::Yes:
        for (const PanelEdits& panel : pending)
            if (!panel.edits.store())
                return false; // its message has been shown; the rest waits on the screen too
        return true;
    case Dialogs::Choice::No:
        for (const PanelEdits& panel : pending)
            panel.edits.discard();
        return true;
    case Dialogs::Choice::Cancel:
        return false;
    }
    return false;
}

// "終      了": back to the menu, once the changes not registered are settled.
void SettingsScreen::exitToMenu()
{
    if (mayClose())
        m_host.closeScreen();
}

// "有" / "無": the backup switch of this client, stored at once.
void SettingsScreen::setBackup(bool on)
{
    closeAllPanels();
    if (m_state.dialogs.ask(SettingsText::ConfirmTitle, on ? BackupOnQuestion() : BackupOffQuestion())
        != Dialogs::Answer::Yes)
        return;
    m_state.ClientSettings[ClientLine::Backup] = on ? QStringLiteral("1") : QStringLiteral("0");
    showBackupBoxes();
    if (const IoResult written = WriteClientSettings(m_state); !written)
        m_state.dialogs.inform(SettingsText::ErrorTitle, ClientSettingsFailureMessage(written));
    m_state.EditPending = false;
}

// "項目Ｅｘｃｅｌ出力": the word lists in memory as a workbook, handed to the desktop.
void SettingsScreen::exportVocabularyWorkbook()
{
    closeAllPanels();
    m_excelBusy->show();
    m_excelBusy->raise();
    VocabularyWorkbookResult result;
    {
        BusyCursor busy;
        result = ExportVocabularyWorkbook(m_state, &m_host.desktop());
    }
    m_excelBusy->hide();
    ReportWorkbookOutput(m_state.dialogs, result.status, result.path);
}

#include "settings/column_names_panel.h"

#include "settings/settings_value_messages.h"
#include "storage/shared_checks.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/settings_files.h"
#include "ui/colours.h"
#include "ui/flex_grid.h"
#include "ui/twips.h"
#include "ui/widget_geometry.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

constexpr quint32 HeaderColour = 15128749;   // light blue
constexpr quint32 NameCellColour = 14804223; // misty rose
constexpr quint32 LampIdle = 12632319;
constexpr quint32 LampChanged = 255;

constexpr int GridLeft = 270;
constexpr int GridTop = 900;
constexpr int NameWidth = 2500;
constexpr int SizeWidth = 1200;
constexpr int RowHeight = 400;
constexpr int EditorLeft = 300;
constexpr int EditorWidth = 2470;
constexpr int EditorHeight = 370;

void paintLamp(QLabel* lamp, quint32 colour)
{
    lamp->setStyleSheet(QStringLiteral("background-color: %1;").arg(colourFromWindows(colour).name()));
    lamp->setProperty("windowsColour", colour);
}

QString explanationText()
{
    return joinLines({QStringLiteral("TEV在庫管理　"),
                      QStringLiteral("①在庫台帳の名称変更及びリスト項目Max数量設定を行います。"),
                      QStringLiteral("②数量Max値数量は、下部それぞれの名称・メーカー名・保管場所、単位"),
                      QStringLiteral("　の設定Max値を設定します。"),
                      QStringLiteral("③ユーザーに合った名称変更、各枠をクリックで名称の変更を行います。"),
                      QStringLiteral("　ソフト内の全ての名称が変更されます。 ")});
}

// Where a grid cell starts, in the panel's pixels.
QPoint cellTopLeft(FlexGrid* grid, QWidget* panel, int row, int col)
{
    const QRect cell = grid->visualRect(grid->model()->index(row, col));
    return grid->viewport()->mapTo(panel, cell.topLeft());
}

// The caret goes after the last character that is not a space.
int caretAfterText(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text[end - 1].isSpace())
        --end;
    return int(end);
}

} // namespace

ColumnNamesPanel::ColumnNamesPanel(AppState& state, QWidget* parent) : QFrame(parent), m_state(state)
{
    setObjectName(QStringLiteral("columnNamesPanel"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    resize(twipsToPixels(WidthTwips), twipsToPixels(HeightTwips));

    placed(new QLabel(QStringLiteral("項目数及び名称設定"), this), QStringLiteral("namesPanelTitle"), 270, 120, 3600, 330);
    m_namesLamp = placed(new QLabel(this), QStringLiteral("namesLamp"), 4200, 150, 270, 270);
    m_limitLamp = placed(new QLabel(this), QStringLiteral("limitLamp"), 5280, 1380, 270, 270);
    placed(new QLabel(QStringLiteral("在庫品項目名称"), this), QStringLiteral("namesHeading"), GridLeft, 540, NameWidth, 330)
        ->setAlignment(Qt::AlignCenter);
    placed(new QLabel(QStringLiteral("数量Max値設定"), this), QStringLiteral("sizesHeading"), GridLeft + NameWidth, 540,
           SizeWidth, 330)
        ->setAlignment(Qt::AlignCenter);

    m_grid = placed(new FlexGrid(ColumnNames::Rows, 2, this), QStringLiteral("namesGrid"), GridLeft, GridTop,
                    NameWidth + SizeWidth + 60, ColumnNames::Rows * RowHeight + 60);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setColWidthTwips(0, NameWidth);
    m_grid->setColWidthTwips(1, SizeWidth);
    for (int row = 0; row < ColumnNames::Rows; ++row)
        m_grid->setRowHeightTwips(row, RowHeight);
    for (int col = 0; col < 2; ++col)
        m_grid->setColAlignment(col, Qt::AlignCenter);
    for (int row = 0; row < ColumnNames::Rows; ++row)
        m_grid->setCellBackground(row, 0, colourFromWindows(NameCellColour));
    m_grid->setCellBackground(0, 1, colourFromWindows(HeaderColour));

    m_nameEditor = placed(new QLineEdit(this), QStringLiteral("nameEditor"), EditorLeft, GridTop, EditorWidth, EditorHeight);
    m_sizeChooser = placed(new QComboBox(this), QStringLiteral("sizeChooser"), GridLeft + NameWidth, GridTop, SizeWidth,
                           EditorHeight);
    placed(new QLabel(QStringLiteral("Max値上限"), this), QStringLiteral("limitCaption"), 4200, 960, 1400, 330);
    m_limitChooser = placed(new QComboBox(this), QStringLiteral("limitChooser"), 4200, 1320, 1020, 360);

    m_register = placed(new QPushButton(QStringLiteral("登　録"), this), QStringLiteral("namesRegisterButton"), 270, 3480,
                        1500, 600);
    m_explain = placed(new QPushButton(QStringLiteral("説明"), this), QStringLiteral("namesExplainButton"), 1950, 3480,
                       1500, 600);
    m_close = placed(new QPushButton(QStringLiteral("閉じる"), this), QStringLiteral("namesCloseButton"), 3630, 3480,
                     1500, 600);
    m_explain->setVisible(!ReadFlag(m_state.ClientSettings[ClientLine::HideExplanations]));

    connect(m_grid, &FlexGrid::clicked, this, &ColumnNamesPanel::cellClicked);
    connect(m_nameEditor, &QLineEdit::returnPressed, this, &ColumnNamesPanel::nameEntered);
    connect(m_sizeChooser, &QComboBox::activated, this, &ColumnNamesPanel::sizeChosen);
    connect(m_limitChooser, &QComboBox::activated, this, &ColumnNamesPanel::limitChosen);
    connect(m_register, &QPushButton::clicked, this, &ColumnNamesPanel::registerChanges);
    connect(m_explain, &QPushButton::clicked, this, &ColumnNamesPanel::explain);
    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);

    fillGrid();
    fillLimitChooser();
    fillSizeChooser();
    resetLight();
}

void ColumnNamesPanel::fillGrid()
{
    for (int row = 0; row < ColumnNames::Rows; ++row) {
        m_grid->setTextMatrix(row, 0, ColumnName(m_state, row));
        if (row >= ColumnNames::FirstSizeRow)
            m_grid->setTextMatrix(row, 1, ListSize(m_state, row));
    }
}

void ColumnNamesPanel::open()
{
    resetLight();
    show();
    raise();
    ReadSharedSettings(m_state);
    // What was typed here and not yet written stays, as the grid still shows it.
    m_edits.reapply(m_state);
}

void ColumnNamesPanel::resetLight()
{
    m_nameEditor->hide();
    m_sizeChooser->hide();
    paintLamp(m_namesLamp, LampIdle);
    paintLamp(m_limitLamp, LampIdle);
}

void ColumnNamesPanel::cellClicked(int row, int col)
{
    resetLight();
    m_grid->clearSelection();
    if (row < 0 || row >= ColumnNames::Rows)
        return;
    m_row = row;
    if (col == 1) {
        if (row < ColumnNames::FirstSizeRow) {
            m_state.dialogs.inform(SettingsConfirmTitle(), QStringLiteral("設定枠ではありません。"));
            return;
        }
        openSizeChooser(row);
    } else if (col == 0) {
        openNameEditor(row);
    }
}

void ColumnNamesPanel::openNameEditor(int row)
{
    m_nameEditor->move(twipsToPixels(EditorLeft), cellTopLeft(m_grid, this, row, 0).y());
    const QString text = m_grid->textMatrix(row, 0);
    m_nameEditor->setText(text);
    m_nameEditor->setCursorPosition(caretAfterText(text));
    m_nameEditor->show();
    m_nameEditor->raise();
    m_nameEditor->setFocus();
}

void ColumnNamesPanel::openSizeChooser(int row)
{
    m_sizeChooser->move(cellTopLeft(m_grid, this, row, 1));
    {
        const QSignalBlocker quiet(m_sizeChooser);
        m_sizeChooser->setCurrentIndex(m_sizeChooser->findText(ListSize(m_state, row)));
    }
    m_sizeChooser->show();
    m_sizeChooser->raise();
}

void ColumnNamesPanel::nameEntered()
{
    const QString text = m_nameEditor->text();
    if (const auto problem = ColumnNameProblem(text)) {
        m_state.dialogs.inform(SettingsConfirmTitle(), *problem);
        return;
    }
    selectCell(m_row, 0);
    m_grid->setTextMatrix(m_row, 0, m_edits.setName(m_state, m_row, text));
    m_nameEditor->hide();
}

void ColumnNamesPanel::sizeChosen(int index)
{
    if (index < 0 || m_row < ColumnNames::FirstSizeRow)
        return;
    m_grid->setTextMatrix(m_row, 1, m_edits.setSize(m_state, m_row, m_sizeChooser->itemText(index)));
    m_grid->clearSelection();
    selectCell(m_row, 1);
}

void ColumnNamesPanel::limitChosen(int index)
{
    if (index < 0 || RefuseWhenViewOnly(m_state))
        return;
    const IoResult written = m_edits.setLimit(m_state, m_limitChooser->itemText(index));
    fillSizeChooser();
    paintLamp(m_limitLamp, LampChanged);
    if (!written)
        reportWriteFailure(written);
}

bool ColumnNamesPanel::registerChanges()
{
    if (RefuseWhenViewOnly(m_state))
        return false;
    resetLight();
    const IoResult written = m_edits.registerNames(m_state);
    if (!written) {
        reportWriteFailure(written);
        return false;
    }
    paintLamp(m_namesLamp, LampChanged);
    emit settingsChanged();
    m_state.dialogs.inform(SettingsConfirmTitle(), ColumnNamesRegisteredMessage());
    return true;
}

void ColumnNamesPanel::discardChanges()
{
    m_edits.forget();
    ReadSharedSettings(m_state);
    resetLight();
    fillGrid();
    emit settingsChanged();
}

void ColumnNamesPanel::explain()
{
    m_state.dialogs.inform(SettingsConfirmTitle(), explanationText());
}

void ColumnNamesPanel::fillSizeChooser()
{
    const QSignalBlocker quiet(m_sizeChooser);
    m_sizeChooser->clear();
    m_sizeChooser->addItems(ListSizeChoices(ListSizeLimit(m_state)));
}

void ColumnNamesPanel::fillLimitChooser()
{
    const QSignalBlocker quiet(m_limitChooser);
    m_limitChooser->clear();
    m_limitChooser->addItems(ListSizeLimitChoices());
    m_limitChooser->setCurrentIndex(m_limitChooser->findText(m_state.SharedSettings[SharedLine::ListSizeLimit].trimmed()));
}

void ColumnNamesPanel::selectCell(int row, int col)
{
    m_grid->setCurrentCell(row, col, QItemSelectionModel::NoUpdate);
}

void ColumnNamesPanel::reportWriteFailure(const IoResult& result)
{
    m_state.dialogs.inform(SettingsErrorTitle(), SettingsWriteFailedMessage(result));
}

#include "settings/mail_panel.h"

#include "settings/mail_address_file.h"
#include "settings/mail_server_widget.h"
#include "settings/settings_value_messages.h"
#include "storage/shared_checks.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "ui/colours.h"
#include "ui/flex_grid.h"
#include "ui/twips.h"
#include "ui/widget_geometry.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr quint32 HeaderColour = 15128749; // light blue
constexpr quint32 EditingColour = 16118015; // lavender blush
constexpr int NumberWidth = 600;
constexpr int AddressWidth = 5400;
constexpr int RowHeight = 360;

// A grid of `rows` rows (row 0 the header) with its numbers in column 0.
FlexGrid* makeGrid(QWidget* parent, const QString& name, int top, int rows, int height, const QString& heading)
{
    auto* grid = placed(new FlexGrid(rows, 2, parent), name, 240, top, NumberWidth + AddressWidth + 60, height);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setFixedRows(1);
    grid->setFixedCols(1);
    grid->setColWidthTwips(0, NumberWidth);
    grid->setColWidthTwips(1, AddressWidth);
    for (int row = 0; row < rows; ++row)
        grid->setRowHeightTwips(row, RowHeight);
    grid->setTextMatrix(0, 0, QStringLiteral("No"));
    grid->setTextMatrix(0, 1, heading);
    for (int col = 0; col < 2; ++col)
        grid->setCellBackground(0, col, colourFromWindows(HeaderColour));
    for (int row = 1; row < rows; ++row)
        grid->setTextMatrix(row, 0, QString::number(row) + QStringLiteral("  "));
    return grid;
}

int firstEntry(bool information)
{
    return information ? MailAddressFile::FirstInformation : MailAddressFile::FirstOrdering;
}

} // namespace

MailPanel::MailPanel(AppState& state, QWidget* parent) : QFrame(parent), m_state(state)
{
    setObjectName(QStringLiteral("mailPanel"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    resize(twipsToPixels(WidthTwips), twipsToPixels(HeightTwips));

    placed(new QLabel(QStringLiteral("メールアドレス設定(情報）"), this), QStringLiteral("informationCaption"), 240, 120,
           4800, 330);
    m_information = makeGrid(this, QStringLiteral("informationGrid"), 480, 1 + MailAddressFile::InformationCount, 1500,
                             QStringLiteral(" 保全日報配信メールアドレス"));
    placed(new QLabel(QStringLiteral("メールアドレス設定(発注）"), this), QStringLiteral("orderingCaption"), 240, 2100,
           4800, 330);
    m_ordering = makeGrid(this, QStringLiteral("orderingGrid"), 2460, 1 + MailAddressFile::OrderingCount, 3240,
                          QStringLiteral(" 重要保全作業配信メールアドレス"));
    m_box = placed(new QLineEdit(this), QStringLiteral("mailAddressEditor"), 240, 5820, NumberWidth + AddressWidth + 60,
                   360);

    m_register = placed(new QPushButton(QStringLiteral("登録"), this), QStringLiteral("mailRegisterButton"), 240, 6360,
                        1440, 600);
    m_cancel = placed(new QPushButton(QStringLiteral("取り消し"), this), QStringLiteral("mailCancelButton"), 1800, 6360,
                      1440, 600);
    m_explain = placed(new QPushButton(QStringLiteral("説明"), this), QStringLiteral("mailExplainButton"), 3360, 6360,
                       1440, 600);
    m_close = placed(new QPushButton(QStringLiteral("閉じる"), this), QStringLiteral("mailCloseButton"), 4920, 6360,
                     1440, 600);
    m_server = placed(new MailServerWidget(m_state, this), QStringLiteral("mailServerWidget"), 240, 7080,
                      MailServerWidget::WidthTwips, MailServerWidget::HeightTwips);
    m_explain->setVisible(!ReadFlag(m_state.ClientSettings[ClientLine::HideExplanations]));

    connect(m_information, &FlexGrid::clicked, this, [this](int row, int) { gridClicked(m_information, row); });
    connect(m_ordering, &FlexGrid::clicked, this, [this](int row, int) { gridClicked(m_ordering, row); });
    connect(m_box, &QLineEdit::returnPressed, this, &MailPanel::addressEntered);
    connect(m_cancel, &QPushButton::clicked, this, &MailPanel::clearAddress);
    connect(m_register, &QPushButton::clicked, this, &MailPanel::registerChanges);
    // The panel's explanation button shows nothing.
    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);

    fillGrids();
    resetLight();
}

void MailPanel::fillGrids()
{
    const auto& table = m_state.MailAddressTable;
    for (int row = 1; row <= MailAddressFile::InformationCount; ++row)
        m_information->setTextMatrix(row, 1, table[size_t(MailAddressFile::FirstInformation + row - 1)]);
    for (int row = 1; row <= MailAddressFile::OrderingCount; ++row)
        m_ordering->setTextMatrix(row, 1, table[size_t(MailAddressFile::FirstOrdering + row - 1)]);
}

void MailPanel::open()
{
    show();
    raise();
}

void MailPanel::resetLight()
{
    m_box->setPalette(palette());
}

void MailPanel::gridClicked(FlexGrid* grid, int row)
{
    resetLight();
    if (row < 1 || row >= grid->rows())
        return;
    m_editGrid = grid;
    showRow(grid, row);
    QPalette editing = m_box->palette();
    editing.setColor(QPalette::Base, colourFromWindows(EditingColour));
    m_box->setPalette(editing);
    m_box->setFocus();
}

void MailPanel::addressEntered()
{
    if (!m_editGrid)
        return;
    const QString text = m_box->text();
    if (const auto problem = MailAddressProblem(text)) {
        m_state.dialogs.inform(SettingsConfirmTitle(), *problem);
        return;
    }
    m_editGrid->setTextMatrix(m_editRow, 1, FieldText(text));
    m_state.EditPending = true;
    showRow(m_editGrid, m_editRow + 1 < m_editGrid->rows() ? m_editRow + 1 : 1);
}

void MailPanel::clearAddress()
{
    if (!m_editGrid)
        return;
    m_editGrid->setTextMatrix(m_editRow, 1, QString());
    m_box->clear();
    m_state.EditPending = true;
}

// The table with entries 1..11 as the grids show them.
MailAddresses MailPanel::gridAddresses() const
{
    MailAddresses table = m_state.MailAddressTable;
    for (const bool information : {true, false}) {
        FlexGrid* grid = information ? m_information : m_ordering;
        for (int row = 1; row < grid->rows(); ++row)
            table[size_t(firstEntry(information) + row - 1)] = FieldText(grid->textMatrix(row, 1));
    }
    return table;
}

bool MailPanel::hasUnregisteredChanges() const
{
    const MailAddresses shown = gridAddresses();
    for (size_t i = 0; i < shown.size(); ++i)
        if (FieldText(shown[i]) != FieldText(m_state.MailAddressTable[i]))
            return true;
    return false;
}

bool MailPanel::registerChanges()
{
    if (RefuseWhenViewOnly(m_state))
        return false;
    const MailAddresses previous = m_state.MailAddressTable;
    m_state.MailAddressTable = gridAddresses();
    const IoResult written = WriteMailAddressTable(m_state);
    if (!written) {
        // The table stays what the file holds.
        m_state.MailAddressTable = previous;
        m_state.dialogs.inform(SettingsErrorTitle(), SettingsWriteFailedMessage(written));
        return false;
    }
    emit settingsChanged();
    m_state.dialogs.inform(SettingsConfirmTitle(), QStringLiteral(" メールアドレスを登録しました。"));
    return true;
}

// Makes `row` of `grid` the row being edited: column 1 selected, its text in the box.
void MailPanel::showRow(FlexGrid* grid, int row)
{
    m_editRow = row;
    grid->setCurrentCell(row, 1);
    m_box->setText(FieldText(grid->textMatrix(row, 1)));
}

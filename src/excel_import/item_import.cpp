#include "excel_import/item_import.h"

#include "excel_import/import_cell_values.h"
#include "excel_import/import_sheet_rows.h"
#include "excel_import/row_pairs.h"

#include "storage/shared_settings_change.h"
#include "ledger/stock_computation.h"
#include "storage/app_state.h"
#include "storage/cp932_codec.h"
#include "storage/field_text.h"
#include "storage/ledger_file.h"
#include "storage/ledger_image.h"
#include "storage/settings_files.h"
#include "workbook/cell_address.h"
#include "workbook/sheet_row_cells.h"
#include "workbook/worksheet.h"

#include <QFileInfo>
#include <QHash>
#include <algorithm>

namespace {

// Columns of the import workbook (the ledger workbook's layout).
enum : int {
    ColItemNumber = 3, // C .. M are text[0] .. text[10]
    ColName = 4,
    ColTotal = 14,
    ColFirstMonth = 16, // P .. AA are months 1 .. 12
    ColPlanned = 28,
    ColRate = 29,
    ColStartOfUse = 30,
};
constexpr int FirstItemRow = 5;
constexpr int StartMonthRow = 4; // O4, or P4: the first month caption

bool isNumberField(int field)
{
    return field == ItemField::UnitPrice || field == ItemField::StockValue || field == ItemField::PreviousStock
        || field == ItemField::ProperStock || field == ItemField::Stock;
}

// True when `value` takes at most `width` bytes in cp932 (no character is ever wider than two).
bool fitsWidth(const QString& value, int width)
{
    return value.size() * 2 <= width || Cp932::encode(value).size() <= width;
}

bool isYearMonth(const QString& text)
{
    if (text.size() != 7 || text[4] != u'/')
        return false;
    for (int i : {0, 1, 2, 3, 5, 6})
        if (text[i] < u'0' || text[i] > u'9')
            return false;
    const int month = text.mid(5, 2).toInt();
    return month >= 1 && month <= 12;
}

// Reads the items of the row pairs into the plan, checking each value as it goes.
class PlanReader {
public:
    PlanReader(ItemImportPlan& plan, bool startOfUse) : m_plan(plan), m_startOfUse(startOfUse) {}

    // One pair of rows; false after the last item (a receipts row without a name).
    bool takeItem(const SheetRowCells& receipts, const SheetRowCells& issues)
    {
        // The items end at the first receipts row without a name; a name whose formula was saved
        // without its result is not an end (the items after it would be dropped unseen).
        if (receipts.kind(ColName) != CellKind::UnreadableFormula && FieldText(receipts.text(ColName)).isEmpty())
            return false;
        const int row = receipts.row();
        ++m_plan.itemsInWorkbook;
        if (int(m_plan.items.size()) >= AppState::MaxRecords) {
            if (m_plan.itemsInWorkbook == AppState::MaxRecords + 1)
                problem(ImportProblem::Kind::OverCapacity, row, 0, QString());
            return true;
        }
        ItemRecord record = readItem(receipts, issues);
        const QString number = record.text(ItemField::Number);
        if (!number.isEmpty()) {
            if (m_numbers.contains(number))
                problem(ImportProblem::Kind::DuplicateNumber, row, ColItemNumber, number);
            else
                m_numbers.insert(number, row);
        }
        m_plan.items.push_back(record);
        return true;
    }

private:
    ItemRecord readItem(const SheetRowCells& receipts, const SheetRowCells& issues)
    {
        ItemRecord record;
        for (int field = ItemField::Number; field <= ItemField::Stock; ++field) {
            const int column = ColItemNumber + field;
            if (const auto value = readValue(receipts, column, ItemRecord::TextWidth, isNumberField(field)))
                record.setText(field, *value);
        }
        readQuantities(record, receipts, QtyRow::Received);
        readQuantities(record, issues, QtyRow::Issued);
        if (m_startOfUse) {
            if (const auto start = readValue(receipts, ColStartOfUse, ItemRecord::TextWidth, false))
                record.setText(ItemField::StartOfUse, *start);
        }
        return record;
    }

    void readQuantities(ItemRecord& record, const SheetRowCells& cells, int r)
    {
        auto store = [&](int column, int c) {
            if (const auto value = readValue(cells, column, ItemRecord::QtyWidth, true))
                record.setQty(r, c, *value);
        };
        store(ColTotal, QtyColumn::Total);
        for (int month = QtyColumn::FirstMonth; month <= QtyColumn::LastMonth; ++month)
            store(ColFirstMonth + month - 1, month);
        store(ColPlanned, QtyColumn::Planned);

        // The rate is computed from what the fields hold; text counts as 0 and gives no rate.
        const double total = record.qtyNumber(r, QtyColumn::Total);
        const double planned = record.qtyNumber(r, QtyColumn::Planned);
        if (total == 0 || planned == 0)
            return;
        const double rate = AchievementRate(total, planned);
        if (const auto text = QtyFieldText(rate))
            record.setQty(r, QtyColumn::Rate, *text);
        else // a cut number would be a wrong number: the field stays empty
            problem(ImportProblem::Kind::RateTooLong, cells.row(), ColRate, QString::number(rate, 'f', 0));
    }

    // The value a field gets from the cell, or nothing when the cell gives it none: a formula
    // without its result, an error value where a number belongs, a number too long for the
    // field (a cut number would be a wrong number). Each is a problem of the check.
    std::optional<QString> readValue(const SheetRowCells& cells, int column, int width, bool number)
    {
        using Kind = ImportProblem::Kind;
        const int row = cells.row();
        const ImportCell cell = ReadImportCell(cells, column);
        if (cell.unreadable) {
            problem(Kind::NoResult, row, column, QString());
            return std::nullopt;
        }
        if (cell.error && number) {
            problem(Kind::ErrorValue, row, column, cell.text);
            return std::nullopt;
        }
        const QString& value = cell.text;
        if (value.isEmpty())
            return value;
        if (number && !ParseNumber(value))
            problem(Kind::TextInNumber, row, column, value);
        if (const QString missing = Cp932::missingCharacters(value); !missing.isEmpty())
            problem(Kind::MissingCharacters, row, column, missing);
        if (!fitsWidth(value, width)) {
            if (number && ParseNumber(value)) {
                problem(Kind::NumberTooLong, row, column, value);
                return QString();
            }
            problem(Kind::TextCut, row, column, value);
        }
        return value;
    }

    void problem(ImportProblem::Kind kind, int row, int column, const QString& value)
    {
        const QString letters = column > 0 ? QString::fromLatin1(ColumnLetters(column)) : QString();
        m_plan.problems.append(ImportProblem{kind, row, letters, value});
    }

    ItemImportPlan& m_plan;
    bool m_startOfUse;
    QHash<QString, int> m_numbers;
};

} // namespace

struct ItemImportReader::Pairs {
    Pairs(ItemImportPlan& plan, bool startOfUse)
        : reader(plan, startOfUse),
          pairs(FirstItemRow, [this](const SheetRowCells& receipts, const SheetRowCells& issues) {
              return reader.takeItem(receipts, issues);
          })
    {
    }
    PlanReader reader;
    RowPairs pairs;
};

ItemImportReader::ItemImportReader(bool startOfUse) : m_pairs(std::make_unique<Pairs>(m_plan, startOfUse))
{
    m_plan.startOfUseRead = startOfUse;
    // Room for a full ledger at once: no copy of the items while they grow, and the pages a
    // smaller workbook does not fill are never touched.
    m_plan.items.reserve(AppState::MaxRecords);
}

ItemImportReader::~ItemImportReader() = default;

bool ItemImportReader::take(const SheetRowCells& row)
{
    if (row.row() == StartMonthRow)
        m_plan.startMonth = ImportStartMonth(row.text(15), row.text(16));
    return m_pairs->pairs.take(row);
}

ItemImportPlan ItemImportReader::finish()
{
    m_pairs->pairs.finish();
    return std::move(m_plan);
}

QString ImportStartMonth(const QString& o4, const QString& p4)
{
    for (const QString& cell : {o4, p4}) {
        const QString start = FieldText(cell).left(7);
        if (isYearMonth(start))
            return start;
    }
    return QString();
}

ItemImportPlan ReadItemImport(const Worksheet& sheet, bool startOfUse)
{
    ItemImportReader reader(startOfUse);
    VisitWorksheetRows(sheet, [&reader](const SheetRowCells& row) { return reader.take(row); });
    return reader.finish();
}

WorkbookStatus ReadItemImportWorkbook(const QString& path, bool startOfUse, ItemImportPlan& plan)
{
    ItemImportReader reader(startOfUse);
    const WorkbookStatus status = ReadImportRows(path, [&reader](const SheetRowCells& row) { return reader.take(row); });
    plan = reader.finish();
    return status;
}

ItemImportResult ApplyItemImport(AppState& state, ItemImportPlan plan, const CommitProgress& progress)
{
    ItemImportResult result;
    const QString previousStart = state.SharedSettings[SharedLine::StartMonth];
    if (!plan.startMonth.isEmpty()) {
        const IoResult saved = ChangeSharedSettings(state, {{SharedLine::StartMonth, plan.startMonth}});
        if (!saved) {
            result.commit.io = saved;
            return result;
        }
        result.settingsSaved = true;
    }
    if (plan.items.empty()) {
        // Nothing to write: the ledger is not touched.
        const qint64 length = QFileInfo(LedgerPath(state)).size();
        result.commit.recordCount = int(std::min<qint64>(RecordCountForLength(length), AppState::MaxRecords));
        return result;
    }

    const size_t count = plan.items.size();
    // The plan's items become the records: a ledger of 50 009 items is not held twice over.
    // Without the start-of-use column an item keeps its start of use: the records are new, the
    // dates must not go with the old ones. Matched by item number on the ledger as it is under
    // the lock (the first record of a number).
    LedgerFrontAdjustment keepStartOfUse;
    if (!plan.startOfUseRead) {
        keepStartOfUse = [](const LedgerImage& current, std::vector<ItemRecord>& front) {
            QHash<QByteArray, int> recordOf;
            recordOf.reserve(current.count);
            const int numberAt = ItemRecord::textOffset(ItemField::Number);
            for (int n = current.count; n >= 1; --n)
                recordOf.insert(QByteArray(current.record(n) + numberAt, ItemRecord::TextWidth), n);
            ItemRecord old;
            for (ItemRecord& record : front) {
                const auto found = recordOf.constFind(QByteArray(record.data() + numberAt, ItemRecord::TextWidth));
                if (record.text(ItemField::Number).isEmpty() || found == recordOf.constEnd())
                    continue;
                old.assignBytes(current.record(*found));
                record.setText(ItemField::StartOfUse, old.text(ItemField::StartOfUse));
            }
        };
    }
    result.commit = CommitLedgerFront(state, std::move(plan.items), progress, {ChangeOperation::ItemImport, true},
                                      keepStartOfUse);
    if (!result.commit.ok()) {
        // The ledger is as it was; so is the start month its months are counted from.
        if (result.settingsSaved) {
            ChangeSharedSettings(state, {{SharedLine::StartMonth, previousStart}});
            result.settingsSaved = false;
        }
        return result;
    }
    result.written = int(count);
    state.ItemTableLoaded = false;
    return result;
}

QString ItemImportDoneMessage()
{
    return QStringLiteral(" 在庫品INPExcel　インポートを。") + u'\r' + QStringLiteral(" 完了しました。");
}

QString ImportDoneTitle()
{
    return QStringLiteral("登録確認");
}

QString ItemImportCapacityMessage()
{
    return QStringLiteral("在庫品インポートデータが許容量件数 %1を超えました").arg(AppState::MaxRecords) + u'\r'
        + QStringLiteral("　確認してください。");
}

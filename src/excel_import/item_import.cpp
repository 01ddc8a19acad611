#include "excel_import/item_import.h"

#include "storage/shared_settings_change.h"
#include "ledger/stock_computation.h"
#include "storage/app_state.h"
#include "storage/cp932_codec.h"
#include "storage/field_text.h"
#include "storage/ledger_file.h"
#include "storage/settings_files.h"
#include "workbook/cell_address.h"
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

class PlanReader {
public:
    PlanReader(const Worksheet& sheet, ItemImportPlan& plan) : m_sheet(sheet), m_plan(plan) {}

    ItemRecord readItem(int row, bool startOfUse)
    {
        ItemRecord record;
        for (int field = ItemField::Number; field <= ItemField::Stock; ++field) {
            const int column = ColItemNumber + field;
            const QString value = FieldText(m_sheet.text(row, column));
            if (isNumberField(field))
                checkNumber(row, column, value);
            checkWidth(row, column, value, ItemRecord::TextWidth);
            record.setText(field, value);
        }
        readQuantities(record, row, QtyRow::Received);
        readQuantities(record, row + 1, QtyRow::Issued);
        if (startOfUse) {
            const QString start = m_sheet.text(row, ColStartOfUse).trimmed();
            checkWidth(row, ColStartOfUse, start, ItemRecord::TextWidth);
            record.setText(ItemField::StartOfUse, start);
        }
        return record;
    }

    void problem(ImportProblem::Kind kind, int row, int column, const QString& value)
    {
        const QString letters = column > 0 ? QString::fromLatin1(ColumnLetters(column)) : QString();
        m_plan.problems.append(ImportProblem{kind, row, letters, value});
    }

private:
    void readQuantities(ItemRecord& record, int row, int r)
    {
        auto store = [&](int column, int c) {
            const QString value = FieldText(m_sheet.text(row, column));
            checkNumber(row, column, value);
            checkWidth(row, column, value, ItemRecord::QtyWidth);
            record.setQty(r, c, value);
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
            problem(ImportProblem::Kind::RateTooLong, row, ColRate, QString::number(rate, 'f', 0));
    }

    void checkNumber(int row, int column, const QString& value)
    {
        if (!value.isEmpty() && !ParseNumber(value))
            problem(ImportProblem::Kind::TextInNumber, row, column, value);
    }

    void checkWidth(int row, int column, const QString& value, int width)
    {
        if (!fitsWidth(value, width))
            problem(ImportProblem::Kind::TextCut, row, column, value);
    }

    const Worksheet& m_sheet;
    ItemImportPlan& m_plan;
};

} // namespace

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
    ItemImportPlan plan;
    plan.startMonth = ImportStartMonth(sheet.text(4, 15), sheet.text(4, 16));
    PlanReader reader(sheet, plan);
    QHash<QString, int> numbers;
    for (int row = FirstItemRow; !FieldText(sheet.text(row, ColName)).isEmpty(); row += 2) {
        ++plan.itemsInWorkbook;
        if (int(plan.items.size()) >= AppState::MaxRecords) {
            if (plan.itemsInWorkbook == AppState::MaxRecords + 1)
                reader.problem(ImportProblem::Kind::OverCapacity, row, 0, QString());
            continue;
        }
        ItemRecord record = reader.readItem(row, startOfUse);
        const QString number = record.text(ItemField::Number);
        if (!number.isEmpty()) {
            if (numbers.contains(number))
                reader.problem(ImportProblem::Kind::DuplicateNumber, row, ColItemNumber, number);
            else
                numbers.insert(number, row);
        }
        plan.items.push_back(record);
    }
    return plan;
}

ItemImportResult ApplyItemImport(AppState& state, const ItemImportPlan& plan, const CommitProgress& progress)
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
    const LedgerEdit edit = [&](std::vector<ItemRecord>& records) {
        if (records.size() < count)
            records.resize(count);
        std::copy(plan.items.begin(), plan.items.end(), records.begin());
        return true;
    };
    result.commit = CommitLedgerEdit(state, edit, progress, {ChangeOperation::ItemImport, true});
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

#include "excel_import/monthly_import.h"

#include "excel_import/import_cell_values.h"
#include "excel_import/import_problems.h"
#include "excel_import/import_sheet_rows.h"
#include "excel_import/row_pairs.h"

#include "ledger/column_captions.h"
#include "ledger/stock_computation.h"
#include "storage/app_state.h"
#include "storage/dialogs.h"
#include "storage/field_text.h"
#include "storage/item_record.h"
#include "workbook/cell_address.h"
#include "workbook/sheet_row_cells.h"

#include <QDate>
#include <QHash>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <map>

namespace {

constexpr int FirstPairRow = 4;
constexpr int YearMonthColumn = 2; // B
constexpr int ItemNumberColumn = 3; // C
constexpr int MonthTotalColumn = 7; // G
// Items listed per group in the note after the import; the rest are counted.
constexpr int NoteListLimit = 20;

// A monthly total as the month field stores it, or nothing when the cell holds no usable total.
// Formula results of summed decimals are taken to 15 significant digits (0.1 + 0.2 is "0.3").
std::optional<QString> monthTotalText(const ImportCell& cell, CellKind kind)
{
    if (cell.unreadable || cell.error || kind == CellKind::Bool)
        return std::nullopt;
    if (cell.text.isEmpty())
        return cell.text;
    if (!ParseNumber(cell.text) || cell.text.size() > ItemRecord::QtyWidth)
        return std::nullopt;
    return cell.text;
}

// B as "yyyy/MM". A year-month typed into a cell formatted as General becomes a date, which the
// workbook keeps as its serial number (days from 1899-12-30): it is taken as the date's year
// and month.
QString yearMonthOf(const SheetRowCells& row)
{
    if (row.kind(YearMonthColumn) == CellKind::Number) {
        const double serial = row.number(YearMonthColumn);
        if (serial >= 1 && serial < 2958466) {
            const QDate date = QDate(1899, 12, 30).addDays(qint64(std::floor(serial)));
            return date.toString(QStringLiteral("yyyy/MM"));
        }
    }
    return FieldText(row.text(YearMonthColumn));
}

void readMonthTotal(const SheetRowCells& row, QString& into, MonthlyPair& pair)
{
    const ImportCell cell = ReadImportCell(row, MonthTotalColumn);
    if (const auto text = monthTotalText(cell, row.kind(MonthTotalColumn)))
        into = *text;
    else
        pair.unusable.append(UnusableTotal{row.row(), cell.unreadable ? QString() : row.text(MonthTotalColumn)});
}

// Sums of decimal quantities are rounded to a millionth, as the edit frame rounds them.
double tidy(double value)
{
    return std::round(value * 1e6) / 1e6;
}

double rowTotal(const ItemRecord& record, int row)
{
    double sum = 0;
    for (int month = QtyColumn::FirstMonth; month <= QtyColumn::LastMonth; ++month)
        sum += record.qtyNumber(row, month);
    return tidy(sum);
}

enum class Recomputed { Done, NegativeStock, TooLong };

// Totals, stock, rates and stock value of an item after its month values changed. A negative
// stock, or a result that its field cannot hold, leaves all of them as they were.
Recomputed recompute(ItemRecord& record, double& stock)
{
    const double received = rowTotal(record, QtyRow::Received);
    const double issued = rowTotal(record, QtyRow::Issued);
    stock = tidy(record.textNumber(ItemField::PreviousStock) + received - issued);
    if (stock < 0)
        return Recomputed::NegativeStock;
    const QString receivedText = StoredNumberText(received).trimmed();
    const QString issuedText = StoredNumberText(issued).trimmed();
    const QString stockText = StoredNumberText(stock).trimmed();
    const QString valueText = StoredNumberText(record.textNumber(ItemField::UnitPrice) * stock);
    if (receivedText.size() > ItemRecord::QtyWidth || issuedText.size() > ItemRecord::QtyWidth
        || stockText.size() > ItemRecord::TextWidth || valueText.size() > ItemRecord::TextWidth)
        return Recomputed::TooLong;
    ItemRecord updated = record;
    updated.setQty(QtyRow::Received, QtyColumn::Total, receivedText);
    updated.setQty(QtyRow::Issued, QtyColumn::Total, issuedText);
    updated.setText(ItemField::Stock, stockText);
    if (!RecalculateRates(updated).accepted())
        return Recomputed::TooLong;
    updated.setText(ItemField::StockValue, valueText);
    record = updated;
    return Recomputed::Done;
}

// The month m (1..12) of the ledger year whose heading starts with `yearMonth`; 0 when none does.
int monthOfLedgerYear(const std::array<QString, 12>& headings, const QString& yearMonth)
{
    for (int m = 1; m <= MonthsInYear; ++m)
        if (headings[size_t(m - 1)].left(7) == yearMonth)
            return m;
    return 0;
}

QString monthValue(const QString& total)
{
    return ReadNumber(total) != 0 ? total : QString();
}

void appendItemLines(QStringList& lines, const QList<NegativeStockItem>& items)
{
    const int shown = std::min(int(items.size()), NoteListLimit);
    for (int k = 0; k < shown; ++k) {
        const NegativeStockItem& item = items[k];
        lines.append(QStringLiteral("　No %1　%2　%3　在庫数 %4")
                         .arg(item.recordNo)
                         .arg(item.itemNumber, item.name, StoredNumberText(item.stock).trimmed()));
    }
    if (items.size() > shown)
        lines.append(QStringLiteral("　ほか %1 件").arg(items.size() - shown));
}

} // namespace

MonthlyImportReader::MonthlyImportReader()
    : m_rowPairs(std::make_unique<RowPairs>(FirstPairRow, [this](const SheetRowCells& receipts, const SheetRowCells& issues) {
          MonthlyPair pair;
          pair.row = receipts.row();
          pair.yearMonth = yearMonthOf(receipts);
          pair.itemNumber = FieldText(receipts.text(ItemNumberColumn));
          // A year-month or item number whose formula was saved without its result would end
          // the pairs or skip this one unseen.
          bool unknown = false;
          for (const int column : {YearMonthColumn, ItemNumberColumn}) {
              if (receipts.kind(column) == CellKind::UnreadableFormula) {
                  pair.unusable.append(UnusableTotal{receipts.row(), QString(), column});
                  unknown = true;
              }
          }
          if (!unknown && pair.yearMonth.isEmpty() && pair.itemNumber.isEmpty())
              return false;
          readMonthTotal(receipts, pair.received, pair);
          readMonthTotal(issues, pair.issued, pair);
          m_pairs.push_back(std::move(pair));
          return true;
      }))
{
}

MonthlyImportReader::~MonthlyImportReader() = default;

bool MonthlyImportReader::take(const SheetRowCells& row)
{
    return m_rowPairs->take(row);
}

std::vector<MonthlyPair> MonthlyImportReader::finish()
{
    m_rowPairs->finish();
    return std::move(m_pairs);
}

std::vector<MonthlyPair> ReadMonthlyImport(const Worksheet& sheet)
{
    MonthlyImportReader reader;
    VisitWorksheetRows(sheet, [&reader](const SheetRowCells& row) { return reader.take(row); });
    return reader.finish();
}

MonthlyImportResult ApplyMonthlyImport(AppState& state, const std::vector<MonthlyPair>& pairs,
                                       const CommitProgress& progress, MonthlyImportWrite write)
{
    MonthlyImportResult result;
    result.checkOnly = write == MonthlyImportWrite::CheckOnly;
    const std::array<QString, 12> headings = MonthHeadings(state.SharedSettings[SharedLine::StartMonth]);
    bool edited = false;
    int editedCount = 0;

    const LedgerEdit edit = [&](std::vector<ItemRecord>& records) {
        edited = true;
        editedCount = int(records.size());
        // Item numbers of the ledger as it is now, each to its lowest record.
        QHash<QString, int> recordOf;
        recordOf.reserve(qsizetype(records.size()));
        for (int k = int(records.size()) - 1; k >= 0; --k)
            recordOf.insert(records[size_t(k)].text(ItemField::Number), k);

        struct Kept {
            Recomputed why;
            double stock;
        };
        std::map<int, Kept> kept; // by record index: items whose totals were left as they were
        for (const MonthlyPair& pair : pairs) {
            // Without its year-month or item number a pair cannot be placed: it is no skip.
            const bool unplaced = std::any_of(pair.unusable.begin(), pair.unusable.end(),
                                              [](const UnusableTotal& cell) { return cell.column != MonthTotalColumn; });
            if (unplaced) {
                result.unusable.append(pair.unusable);
                continue;
            }
            const int month = monthOfLedgerYear(headings, pair.yearMonth);
            if (pair.itemNumber.isEmpty() || month == 0) {
                ++result.skipped;
                continue;
            }
            const auto found = recordOf.constFind(pair.itemNumber);
            if (found == recordOf.constEnd()) {
                result.unknownRow = pair.row;
                result.unknownItem = pair.itemNumber;
                break;
            }
            if (!pair.unusable.isEmpty() || !result.unusable.isEmpty()) {
                // Nothing is written; the rest of the pairs are looked at only to name every cell.
                result.unusable.append(pair.unusable);
                continue;
            }
            ItemRecord& record = records[size_t(*found)];
            record.setQty(QtyRow::Received, month, monthValue(pair.received));
            record.setQty(QtyRow::Issued, month, monthValue(pair.issued));
            double stock = 0;
            const Recomputed outcome = recompute(record, stock);
            if (outcome == Recomputed::Done)
                kept.erase(*found);
            else
                kept[*found] = Kept{outcome, stock};
            ++result.applied;
        }
        if (!result.unusable.isEmpty())
            return false;
        for (const auto& [index, item] : kept) {
            const ItemRecord& record = records[size_t(index)];
            NegativeStockItem listed{index + 1, record.text(ItemField::Number), record.text(ItemField::Name), item.stock};
            (item.why == Recomputed::NegativeStock ? result.negatives : result.unfitting).append(listed);
        }
        return write == MonthlyImportWrite::Commit;
    };
    result.commit = CommitLedgerEdit(state, edit, progress, {ChangeOperation::MonthlyImport, true});
    if (result.checkOnly && edited && result.unusable.isEmpty()) {
        result.commit.io = IoResult::success();
        result.commit.recordCount = editedCount;
    }
    return result;
}

MonthlyImportResult ImportMonthlyWorkbook(AppState& state, const QString& path, const CommitProgress& progress,
                                          MonthlyImportWrite write)
{
    MonthlyImportReader reader;
    const WorkbookStatus status = ReadImportRows(path, [&reader](const SheetRowCells& row) { return reader.take(row); });
    const std::vector<MonthlyPair> pairs = reader.finish();
    if (!status) {
        MonthlyImportResult result;
        result.workbook = status;
        result.checkOnly = write == MonthlyImportWrite::CheckOnly;
        result.commit.io = IoResult::failure(path, ENOENT, QStringLiteral("the workbook was not read"));
        return result;
    }
    return ApplyMonthlyImport(state, pairs, progress, write);
}

QString MonthlyEditQuestion()
{
    return joinLines({QStringLiteral("日毎予備品入出庫編集"),
                      QStringLiteral("日毎入出庫数量Excelシートの編集を行います。（編集Excelを開きます）"),
                      QStringLiteral("　※編集後は上書き保存"),
                      QStringLiteral("　※編集Excelの日毎入出庫数量の入力（編集）により月毎合計値を"),
                      QStringLiteral("　　入出庫転記により当ソフトデーターとしてインポートします。　")});
}

QString MonthlyImportQuestion()
{
    return joinLines({QStringLiteral("日毎予備品入出庫数量取り込み"), QStringLiteral("入出庫転記→M在庫資料フォルダーの"),
                      QStringLiteral("日毎入出庫数量入力後l、月合計数量を集計"),
                      QStringLiteral("月毎合計値データを当システムデーターとしてインポートします。")});
}

QString MonthlyImportDoneMessage()
{
    return QStringLiteral("　　月毎在庫入出庫数量のインポートを完了しました。　　　　");
}

QString MonthlyImportDoneTitle()
{
    return QStringLiteral("確認");
}

QString MonthlyImportRefusal(const MonthlyImportResult& result, const QString& path)
{
    const QString unchanged = QStringLiteral("　在庫品台帳は変更していません。");
    if (!result.workbook.ok()) {
        const bool missing = result.workbook.error == WorkbookError::FileNotFound
            || result.workbook.error == WorkbookError::PathNotFound;
        const QString what = missing ? QStringLiteral("　日毎入出庫数量のExcelファイルが見つかりません。")
                                     : QStringLiteral("　日毎入出庫数量のExcelファイルを読み込めません。");
        QStringList lines{what, QStringLiteral("　") + path};
        if (result.workbook.error == WorkbookError::TooLarge)
            lines.append(QStringLiteral("　ファイルが大きすぎます。") + WorkbookSizeText(result.workbook));
        else if (result.workbook.error == WorkbookError::NotAWorkbook)
            lines.append(QStringLiteral("　ファイルが壊れているか、Excelファイルではありません。"));
        else if (result.workbook.error == WorkbookError::InUse)
            lines.append(QStringLiteral("　ファイルを開けません。使用中でないか確認してください。"));
        lines.append(unchanged);
        return lines.join(u'\r');
    }
    if (!result.unusable.isEmpty()) {
        QStringList lines;
        const int shown = std::min(int(result.unusable.size()), NoteListLimit);
        for (int k = 0; k < shown; ++k) {
            const UnusableTotal& cell = result.unusable[k];
            const QString place = cell.column == MonthTotalColumn
                ? QStringLiteral("　%1行目のG列（月合計）").arg(cell.row)
                : QStringLiteral("　%1行目の%2列").arg(cell.row).arg(QString::fromLatin1(ColumnLetters(cell.column)));
            lines.append(cell.text.isEmpty() ? place + QStringLiteral("の計算結果が保存されていないため読み取れません。")
                                             : place + QStringLiteral("の「") + cell.text
                                                   + QStringLiteral("」は月の数量として取り込めません。"));
        }
        if (result.unusable.size() > shown)
            lines.append(QStringLiteral("　ほか %1 件").arg(result.unusable.size() - shown));
        lines.append(QStringLiteral("　月合計は7桁以内の数値にしてください。"));
        lines.append(QStringLiteral("　Excelで開いて計算結果を確かめ、上書き保存してから、もう一度入出庫転記してください。"));
        lines.append(unchanged);
        return lines.join(u'\r');
    }
    return QString();
}

QString MonthlyImportNotes(const MonthlyImportResult& result)
{
    QStringList lines;
    if (result.unknownRow != 0) {
        lines.append(QStringLiteral("　在庫品No「%1」（%2行目）は在庫品台帳にありません。").arg(result.unknownItem).arg(result.unknownRow));
        lines.append(QStringLiteral("　取り込みはこの行で終了し、以降の行は取り込んでいません。"));
    }
    const auto group = [&lines](const QList<NegativeStockItem>& items, const QString& reason) {
        if (items.isEmpty())
            return;
        if (!lines.isEmpty())
            lines.append(QString());
        lines.append(reason);
        lines.append(QStringLiteral("　月の数量だけを登録し、入出庫計・在庫数・在庫金額は元のままです。"));
        appendItemLines(lines, items);
    };
    group(result.negatives, QStringLiteral("　次の在庫品は在庫数がマイナスになります。"));
    group(result.unfitting, QStringLiteral("　次の在庫品は入出庫計か達成率が7桁の入力枠に収まりません。"));
    if (result.skipped > 0) {
        if (!lines.isEmpty())
            lines.append(QString());
        lines.append(QStringLiteral("　年月が在庫品台帳の年度にないか、在庫品Noのない %1 組（入庫・出庫の2行）は取り込んでいません。")
                         .arg(result.skipped));
    }
    return lines.join(u'\r');
}

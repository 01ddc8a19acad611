#include "excel_output/ledger_workbook.h"

#include "excel_output/output_paths.h"
#include "ledger/column_captions.h"
#include "storage/app_state.h"
#include "storage/field_text.h"
#include "storage/ledger_file.h"
#include "workbook/workbook_operations.h"

#include <QLocale>

#include <algorithm>
#include <cerrno>
#include <cmath>

namespace {
// Columns of the sheet.
enum : int {
    ColNo = 2, ColItemNumber = 3, ColStock = 13, ColTotal = 14, ColInOut = 15, ColFirstMonth = 16,
    ColPlanned = 28, ColRate = 29, ColStartOfUse = 30,
};
constexpr int FirstItemRow = 5;
// A ledger that cannot be read keeps the number callers have always seen; the result says why.
constexpr int LedgerUnreadable = 75;

// A stored value: a number when it reads as one, otherwise its text; empty stays empty.
void writeStored(Workbook& book, int row, int column, const QString& text)
{
    if (text.isEmpty())
        return;
    if (const auto number = ParseNumber(text))
        book.sheet().setNumber(row, column, *number);
    else
        book.sheet().setText(row, column, text);
}

void writeQuantities(Workbook& book, int row, const ItemRecord& record, int r)
{
    writeStored(book, row, ColTotal, record.qty(r, QtyColumn::Total));
    for (int month = QtyColumn::FirstMonth; month <= QtyColumn::LastMonth; ++month) {
        const QString value = record.qty(r, month);
        // A month without movement stays empty.
        if (!value.isEmpty() && ParseNumber(value) != 0.0)
            writeStored(book, row, ColFirstMonth + month - 1, value);
    }
    writeStored(book, row, ColPlanned, record.qty(r, QtyColumn::Planned));
    const QString rate = record.qty(r, QtyColumn::Rate);
    if (!rate.isEmpty()) {
        if (const auto tenths = ParseNumber(rate)) {
            book.sheet().setNumber(row, ColRate, std::round(*tenths) / 10.0);
            book.Cells(row, ColRate).setNumberFormat("0.0");
        } else {
            book.sheet().setText(row, ColRate, rate);
        }
    }
}
} // namespace

QString LedgerWorkbookQuestion()
{
    return QStringLiteral("在庫品台帳Excelを出力しますか？　");
}

QString LedgerWorkbookQuestionTitle()
{
    return QStringLiteral("登録確認");
}

QString LedgerWorkbookPath(const AppState& state, const QDate& date)
{
    return OutputFolderPath(state) + QStringLiteral("在庫品台帳") + OutputMonthText(date) + QStringLiteral(".xlsx");
}

QString FilteredLedgerWorkbookPath(const AppState& state, const QDate& date)
{
    return OutputFolderPath(state) + QStringLiteral("在庫品台帳") + OutputMonthText(date) + QStringLiteral("_絞込.xlsx");
}

void WriteLedgerHeader(Workbook& book, const AppState& state, int itemCount)
{
    Worksheet& sheet = book.sheet();
    sheet.setText(3, ColNo, QStringLiteral("在庫品数"));
    sheet.setNumber(3, ColItemNumber, itemCount);
    static const char16_t* const fixed[] = {u"No", u"在庫品NO", u"在庫品名", u"仕様", u"メーカー名", u"保管場所",
                                            u"単価", u"在庫金額", u"単位", u"前年在庫", u"適正在庫", u"在庫数量",
                                            u"入出庫数", u"入出庫"};
    for (int i = 0; i < 14; ++i)
        sheet.setText(4, ColNo + i, QString::fromUtf16(fixed[i]));
    const auto months = MonthHeadings(state.SharedSettings[SharedLine::StartMonth]);
    for (int m = 0; m < 12; ++m)
        sheet.setText(4, ColFirstMonth + m, months[size_t(m)]);
    sheet.setText(4, ColPlanned, QStringLiteral("予定数量"));
    sheet.setText(4, ColRate, QStringLiteral("達成率(%)"));
    sheet.setText(4, ColStartOfUse, QStringLiteral("使用開始"));
    // The width table starts at column B; its last entry carries on to the last column, so
    // that all twelve month columns are alike.
    const auto& widths = state.DefaultColumnWidths;
    for (int column = ColNo; column <= ColStartOfUse; ++column) {
        const size_t entry = std::min(size_t(column - ColNo), widths.size() - 1);
        if (widths[entry] > 0)
            sheet.setColumnWidth(column, widths[entry]);
    }
}

void WriteLedgerItem(Workbook& book, int k, const ItemRecord& record, bool startOfUse)
{
    Worksheet& sheet = book.sheet();
    const int row = FirstItemRow + 2 * (k - 1);
    sheet.setNumber(row, ColNo, k);
    for (int field = ItemField::Number; field <= ItemField::Stock; ++field) {
        const QString value = record.text(field);
        const bool textual = field <= ItemField::Place || field == ItemField::Unit;
        if (textual) {
            if (!value.isEmpty())
                sheet.setText(row, ColItemNumber + field, value);
        } else {
            writeStored(book, row, ColItemNumber + field, value);
        }
    }
    sheet.setText(row, ColInOut, QStringLiteral("入庫"));
    sheet.setText(row + 1, ColInOut, QStringLiteral("出庫"));
    writeQuantities(book, row, record, QtyRow::Received);
    writeQuantities(book, row + 1, record, QtyRow::Issued);
    if (startOfUse) {
        const QString start = record.text(ItemField::StartOfUse);
        if (!start.isEmpty())
            sheet.setText(row, ColStartOfUse, start);
    }
    // Dark hatching for no stock, light hatching below the proper stock.
    const double stock = record.textNumber(ItemField::Stock);
    if (stock <= 0) {
        book.Cells(row, ColStock).setHatching(Hatching::Dark);
    } else if (!record.text(ItemField::ProperStock).isEmpty() && stock < record.textNumber(ItemField::ProperStock)) {
        book.Cells(row, ColStock).setHatching(Hatching::Light);
    }
}

QString LedgerWorkbookProgressText(int written, int total)
{
    const QLocale japanese(QLocale::Japanese, QLocale::Japan); // 50,009: grouped by thousands
    return QStringLiteral("在庫品台帳Excelを出力しています。") + u'\n' + japanese.toString(written)
        + QStringLiteral(" / ") + japanese.toString(total) + QStringLiteral(" 件");
}

LedgerWorkbookResult ExportLedgerWorkbook(AppState& state, DesktopHandover* desktop, const QString& outputPath,
                                          const QList<int>* records, const LedgerWorkbookProgress& progress)
{
    LedgerWorkbookResult result;
    // The hits get a name of their own: they must not replace the whole ledger's workbook of the month.
    const QDate today = QDate::currentDate();
    if (outputPath.isEmpty())
        result.path = records ? FilteredLedgerWorkbookPath(state, today) : LedgerWorkbookPath(state, today);
    else
        result.path = outputPath;
    if (const IoResult opened = OpenLedger(state); !opened) {
        result.ledger = opened;
        result.status = WorkbookStatus::failure(LedgerUnreadable, QStringLiteral("ledger cannot be opened"));
        return result;
    }
    LedgerCloser closer(state);
    std::unique_ptr<Workbook> book;
    result.status = OpenOutputFromTemplate(TemplateWorkbookPath(state), result.path, book);
    if (!result.status)
        return result;
    book->ScreenUpdating = false;

    const bool startOfUse = ReadFlag(state.SharedSettings[SharedLine::StartOfUse]);
    errno = 0; // a failed read leaves its reason here
    bool read = true;
    int k = 0;
    // Numbers outside the ledger are skipped, so the total counts only the ones inside it.
    const int total = records ? int(std::count_if(records->begin(), records->end(),
                                                   [&](int n) { return n >= 1 && n <= state.RecordCount; }))
                              : state.RecordCount;
    if (progress)
        progress(0, total);
    auto visit = [&](int, const ItemRecord& record) {
        WriteLedgerItem(*book, ++k, record, startOfUse);
        if (progress && k % LedgerWorkbookProgressStep == 0 && k < total)
            progress(k, total);
    };
    if (records) {
        // Runs of consecutive record numbers are read in one pass.
        for (qsizetype i = 0; i < records->size() && read;) {
            const int first = records->at(i);
            qsizetype j = i + 1;
            while (j < records->size() && records->at(j) == records->at(j - 1) + 1)
                ++j;
            const int last = records->at(j - 1);
            if (first >= 1 && last <= state.RecordCount)
                read = ScanLedger(state, first, last, visit);
            else
                for (qsizetype k2 = i; k2 < j; ++k2) {
                    const int n = records->at(k2);
                    if (n >= 1 && n <= state.RecordCount)
                        read = read && ScanLedger(state, n, n, visit);
                }
            i = j;
        }
    } else if (state.RecordCount > 0) {
        read = ScanLedger(state, 1, state.RecordCount, visit);
    }
    if (!read) {
        result.ledger = IoResult::failure(LedgerPath(state), errno != 0 ? errno : EIO, QStringLiteral("read failed"));
        result.status = WorkbookStatus::failure(LedgerUnreadable, QStringLiteral("ledger read failed"));
        return result;
    }
    result.items = k;
    WriteLedgerHeader(*book, state, k);
    if (progress)
        progress(k, total);
    if (desktop) {
        result.status = FinishForUser(book, *desktop);
    } else {
        result.status = book->save();
    }
    return result;
}

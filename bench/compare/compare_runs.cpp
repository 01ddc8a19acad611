#include "compare_runs.h"

#include "excel_output/ledger_workbook.h"
#include "ledger/filter_scan.h"
#include "storage/cp932_codec.h"
#include "workbook/workbook.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <vector>

namespace {

// Runs `once` `runs` times; `once` returns false on failure, which ends the series.
template <typename Once>
TimedRun timed(int runs, Once once)
{
    TimedRun result;
    std::vector<double> seconds;
    for (int r = 0; r < std::max(runs, 1); ++r) {
        QElapsedTimer timer;
        timer.start();
        if (!once(result.count))
            return result;
        seconds.push_back(double(timer.nsecsElapsed()) / 1e9);
    }
    std::sort(seconds.begin(), seconds.end());
    const size_t middle = seconds.size() / 2;
    result.medianSeconds = seconds.size() % 2 ? seconds[middle] : (seconds[middle - 1] + seconds[middle]) / 2;
    result.ok = true;
    return result;
}

void appendEscaped(QByteArray& line, std::string_view text)
{
    for (char c : text) {
        switch (c) {
        case '\t': line += "\\t"; break;
        case '\n': line += "\\n"; break;
        case '\r': line += "\\r"; break;
        case '\\': line += "\\\\"; break;
        default: line += c;
        }
    }
}

} // namespace

TimedRun TimeLedgerOutput(AppState& state, const QString& outputPath, int runs)
{
    return timed(runs, [&](long long& count) {
        const LedgerWorkbookResult result = ExportLedgerWorkbook(state, nullptr, outputPath);
        count = result.items;
        return bool(result.status);
    });
}

TimedRun TimeWorkbookReading(const QString& path, int runs)
{
    return timed(runs, [&](long long& count) {
        WorkbookStatus status;
        const std::unique_ptr<Workbook> book = Workbook::load(path, status);
        if (!book)
            return false;
        const Worksheet& sheet = book->sheet();
        count = 0;
        qsizetype characters = 0;
        for (int r = 1; r <= sheet.lastRow(); ++r) {
            for (const SheetCell& cell : sheet.row(r)->cells) {
                characters += sheet.text(r, cell.column).size();
                ++count;
            }
        }
        return characters > 0;
    });
}

TimedRun TimeFilterScan(AppState& state, int column, const QString& word, int runs)
{
    FilterConditionRows rows;
    rows[0] = {QString::number(column), QString(), word};
    const FilterConditions conditions = NormaliseFilterConditions(rows);
    return timed(runs, [&](long long& count) {
        const FilterScanResult result = ScanForHits(state, conditions);
        count = result.hits.size();
        return result.ok;
    });
}

bool DumpCells(const QString& workbookPath, const QString& listPath)
{
    WorkbookStatus status;
    const std::unique_ptr<Workbook> book = Workbook::load(workbookPath, status);
    if (!book)
        return false;
    const Worksheet& sheet = book->sheet();
    QSaveFile file(listPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray line;
    for (int r = 1; r <= sheet.lastRow(); ++r) {
        for (const SheetCell& cell : sheet.row(r)->cells) {
            if (cell.kind != CellKind::Number && cell.kind != CellKind::Text && cell.kind != CellKind::SharedText)
                continue;
            line = QByteArray::number(r) + '\t' + QByteArray::number(cell.column) + '\t';
            if (cell.kind == CellKind::Number) {
                line += "n\t";
                line += sheet.text(r, cell.column).toUtf8();
            } else {
                line += "s\t";
                appendEscaped(line, sheet.textOf(cell));
            }
            line += '\n';
            file.write(line);
        }
    }
    return file.commit();
}

bool WriteCp932Word(const QString& word, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(Cp932::encode(word));
    return file.commit();
}

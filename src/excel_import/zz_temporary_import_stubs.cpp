// Temporary stand-ins for the import layer so that the import screen links and its tests run
// before the real implementations are merged. Removed once they are.
#include "excel_import/import_problems.h"
#include "excel_import/import_workbook_path.h"
#include "excel_import/item_import.h"
#include "excel_import/vocabulary_import.h"
#include "storage/app_state.h"
#include "storage/field_text.h"
#include "storage/settings_files.h"
#include "storage/vocabulary.h"
#include "workbook/workbook.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

QString FindImportWorkbook(const QString& folder, const QString& xlsName)
{
    const QString xls = folder + xlsName;
    const QString xlsx = xls + u'x';
    const QFileInfo a(xlsx), b(xls);
    if (a.exists() && b.exists())
        return a.lastModified() >= b.lastModified() ? xlsx : xls;
    if (a.exists())
        return xlsx;
    return xls;
}

QString ImportFolderPath(const AppState& state)
{
    const QString folder = state.SharedSettings[SharedLine::ImportFolder].trimmed();
    return folder.isEmpty() ? QString() : NormaliseFolder(folder);
}

QString DailyInOutWorkbookPath(const AppState& state)
{
    return FindImportWorkbook(state.DataFolder + QStringLiteral("M在庫資料/"), ImportWorkbookName::DailyInOut);
}

QString ImportProblemLine(const ImportProblem& problem)
{
    return QStringLiteral("行 %1 %2列：%3").arg(problem.row).arg(problem.column, problem.value);
}

QString ImportProblemQuestion(const QList<ImportProblem>& problems, int maxLines)
{
    QStringList lines;
    for (int i = 0; i < problems.size() && i < maxLines; ++i)
        lines << ImportProblemLine(problems[i]);
    lines << QStringLiteral("取り込みを続けますか？");
    return lines.join(u'\r');
}

QString ImportProblemTitle() { return QStringLiteral("インポート確認"); }

QString ImportWorkbookFailureMessage(const WorkbookStatus& status, const QString& path)
{
    return QStringLiteral("インポート用のExcelファイルを読めません。(%1)").arg(status.error) + u'\r' + path;
}

QString ImportStartMonth(const QString& o4, const QString& p4)
{
    const QRegularExpression month(QStringLiteral("^\\d{4}/\\d{2}$"));
    if (month.match(o4.left(7)).hasMatch())
        return o4.left(7);
    if (month.match(p4.left(7)).hasMatch())
        return p4.left(7);
    return {};
}

ItemImportPlan ReadItemImport(const Worksheet& sheet, bool startOfUse)
{
    ItemImportPlan plan;
    plan.startMonth = ImportStartMonth(FieldText(sheet.text(4, 15)), FieldText(sheet.text(4, 16)));
    QSet<QString> numbers;
    for (int row = 5; !FieldText(sheet.text(row, 4)).isEmpty(); row += 2) {
        ++plan.itemsInWorkbook;
        if (int(plan.items.size()) >= AppState::MaxRecords)
            continue;
        ItemRecord record;
        for (int i = 0; i <= 10; ++i)
            record.setText(i, FieldText(sheet.text(row, 3 + i)));
        for (int r = 1; r <= 2; ++r) {
            const int at = row + r - 1;
            record.setQty(r, 13, FieldText(sheet.text(at, 14)));
            for (int m = 1; m <= 12; ++m)
                record.setQty(r, m, FieldText(sheet.text(at, 15 + m)));
            record.setQty(r, 14, FieldText(sheet.text(at, 28)));
        }
        if (startOfUse)
            record.setText(11, sheet.text(row, 30).trimmed());
        if (numbers.contains(record.text(0)))
            plan.problems.append({ImportProblem::Kind::DuplicateNumber, row, QStringLiteral("C"), record.text(0)});
        numbers.insert(record.text(0));
        plan.items.push_back(record);
    }
    return plan;
}

ItemImportResult ApplyItemImport(AppState& state, const ItemImportPlan& plan, const CommitProgress& progress)
{
    ItemImportResult result;
    if (!plan.startMonth.isEmpty()) {
        state.SharedSettings[SharedLine::StartMonth] = plan.startMonth;
        result.settingsSaved = bool(WriteSharedSettings(state));
    }
    result.commit = CommitLedgerEdit(
        state,
        [&](std::vector<ItemRecord>& records) {
            if (records.size() < plan.items.size())
                records.resize(plan.items.size());
            std::copy(plan.items.begin(), plan.items.end(), records.begin());
            return true;
        },
        progress);
    if (result.commit.ok())
        result.written = int(plan.items.size());
    state.ItemTableLoaded = false;
    return result;
}

QString ItemImportDoneMessage()
{
    return QStringLiteral(" 在庫品INPExcel　インポートを。") + u'\r' + QStringLiteral(" 完了しました。");
}
QString ImportDoneTitle() { return QStringLiteral("登録確認"); }
QString ItemImportCapacityMessage()
{
    return QStringLiteral("在庫品インポートデータが許容量件数 50009を超えました") + u'\r' + QStringLiteral("　確認してください。");
}

VocabularyImportPlan ReadVocabularyImport(const Worksheet& sheet)
{
    VocabularyImportPlan plan;
    for (int l = 0; l < 5; ++l)
        for (int k = 1; k <= VocabularyImportPlan::MaxEntries; ++k) {
            const QString word = sheet.text(k + 4, l + 2).trimmed();
            if (word.isEmpty())
                break;
            plan.lists[size_t(l)] << word;
        }
    return plan;
}

IoResult ApplyVocabularyImport(AppState& state, const VocabularyImportPlan& plan)
{
    for (int l = 0; l < 5; ++l) {
        const int list = l + 2;
        const QStringList& words = plan.lists[size_t(l)];
        for (int k = 0; k < words.size(); ++k)
            state.Vocabulary.setEntry(list, k + 1, {state.Vocabulary.entry(list, k + 1).id, words[k]});
        state.Vocabulary.setEntry(list, int(words.size()) + 1, {});
        state.SharedSettings[ListCountLine(list)] = QString::number(words.size() + 1);
    }
    if (IoResult written = WriteSharedSettings(state); !written)
        return written;
    return WriteVocabularyLists(state);
}

QString VocabularyImportDoneMessage()
{
    return QStringLiteral(" 在庫品項目Excel　インポートを。") + u'\r' + QStringLiteral(" 完了しました。");
}

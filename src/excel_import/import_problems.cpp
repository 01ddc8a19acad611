#include "excel_import/import_problems.h"

#include "storage/app_state.h"
#include "workbook/workbook_errors.h"

#include <algorithm>

namespace {

QString place(const ImportProblem& problem)
{
    QString text = QStringLiteral("行 %1").arg(problem.row);
    if (!problem.column.isEmpty())
        text += u' ' + problem.column + QStringLiteral("列");
    return text + u'：';
}

} // namespace

QString ImportProblemLine(const ImportProblem& problem)
{
    using Kind = ImportProblem::Kind;
    switch (problem.kind) {
    case Kind::DuplicateNumber:
        return place(problem) + QStringLiteral("在庫品No「%1」が前の行と重複しています").arg(problem.value);
    case Kind::TextCut:
        return place(problem) + QStringLiteral("文字数が欄の幅を超えるため切り詰められます（%1）").arg(problem.value);
    case Kind::TextInNumber:
        return place(problem)
            + QStringLiteral("数値の欄に文字「%1」があります（文字のまま取り込み、計算では0とします）").arg(problem.value);
    case Kind::OverCapacity:
        return place(problem)
            + QStringLiteral("在庫品が許容量件数 %1を超えるため、この行から後は取り込まれません").arg(AppState::MaxRecords);
    case Kind::TooManyEntries:
        return place(problem) + QStringLiteral("項目が%1件を超えるため、この行から後は取り込まれません").arg(problem.value);
    case Kind::RateTooLong:
        return place(problem) + QStringLiteral("達成率（%1）が欄の幅を超えるため空欄になります").arg(problem.value);
    }
    return place(problem);
}

QString ImportProblemQuestion(const QList<ImportProblem>& problems, int maxLines)
{
    QString text = QStringLiteral("インポート用Excelファイルに次の問題があります。");
    const qsizetype shown = std::min<qsizetype>(problems.size(), std::max(0, maxLines));
    for (qsizetype i = 0; i < shown; ++i)
        text += u'\r' + ImportProblemLine(problems[i]);
    if (problems.size() > shown)
        text += u'\r' + QStringLiteral("ほか %1件").arg(problems.size() - shown);
    return text + u'\r' + QStringLiteral("取り込みを続けますか？");
}

QString ImportProblemTitle()
{
    return QStringLiteral("インポート確認");
}

QString ImportWorkbookFailureMessage(const WorkbookStatus& status, const QString& path)
{
    if (status.error == WorkbookError::FileNotFound || status.error == WorkbookError::PathNotFound)
        return QStringLiteral("インポート用Excelファイルが見つかりません。") + u'\r' + path;
    return QStringLiteral("インポート用Excelファイルを読み込めません。") + u'\r' + path + u'\r'
        + QStringLiteral("（Excelファイルではないか、壊れています）");
}

#include "excel_import/import_problems.h"

#include "storage/app_state.h"
#include "workbook/workbook_errors.h"

#include <QLocale>
#include <algorithm>

namespace {

QString place(const ImportProblem& problem)
{
    QString text = QStringLiteral("行 %1").arg(problem.row);
    if (!problem.column.isEmpty())
        text += u' ' + problem.column + QStringLiteral("列");
    return text + u'：';
}

// The first `maxLines` problem lines and a count of the rest, each line after a CR.
QString problemLines(const QList<ImportProblem>& problems, int maxLines)
{
    QString text;
    const qsizetype shown = std::min<qsizetype>(problems.size(), std::max(0, maxLines));
    for (qsizetype i = 0; i < shown; ++i)
        text += u'\r' + ImportProblemLine(problems[i]);
    if (problems.size() > shown)
        text += u'\r' + QStringLiteral("ほか %1件").arg(problems.size() - shown);
    return text;
}

} // namespace

QString WorkbookSizeText(const WorkbookStatus& status)
{
    const QLocale c = QLocale::c();
    if (status.detail == QStringLiteral("cells"))
        return QStringLiteral("（セル %1 個以上、上限 %2 個）").arg(c.toString(status.found), c.toString(status.limit));
    const auto megabytes = [&c](qint64 bytes) { return c.toString(double(bytes) / (1024.0 * 1024.0), 'f', 0); };
    return QStringLiteral("（シートの大きさ %1 MB、上限 %2 MB）").arg(megabytes(status.found), megabytes(status.limit));
}

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
    case Kind::NumberTooLong:
        return place(problem) + QStringLiteral("数値（%1）が欄の幅を超えるため取り込まず、空欄になります").arg(problem.value);
    case Kind::MissingCharacters:
        return place(problem) + QStringLiteral("保存できない文字「%1」があります（「?」になります）").arg(problem.value);
    case Kind::QuoteReplaced:
        return place(problem) + QStringLiteral("「\"」は使えないため「'」に置き換えます（%1）").arg(problem.value);
    case Kind::NoResult:
        return place(problem) + QStringLiteral("計算式の結果が保存されていないため読み取れません");
    case Kind::ErrorValue:
        return place(problem) + QStringLiteral("エラー値「%1」は数値として取り込めません").arg(problem.value);
    }
    return place(problem);
}

QString ImportProblemQuestion(const QList<ImportProblem>& problems, int maxLines)
{
    return QStringLiteral("インポート用Excelファイルに次の問題があります。") + problemLines(problems, maxLines) + u'\r'
        + QStringLiteral("取り込みを続けますか？");
}

bool ImportIsRefused(const QList<ImportProblem>& problems)
{
    return std::any_of(problems.begin(), problems.end(), [](const ImportProblem& p) { return p.refusesImport(); });
}

QString ImportRefusalMessage(const QList<ImportProblem>& problems, int maxLines)
{
    QList<ImportProblem> refusing;
    for (const ImportProblem& problem : problems)
        if (problem.refusesImport())
            refusing.append(problem);
    return QStringLiteral("インポート用Excelファイルに値を読み取れないセルがあるため、取り込みません。")
        + problemLines(refusing, maxLines) + u'\r' + QStringLiteral("Excelでファイルを開いて計算結果を確かめ、上書き保存してから、もう一度インポートしてください。")
        + u'\r' + QStringLiteral("（データは変更していません）");
}

QString ImportProblemTitle()
{
    return QStringLiteral("インポート確認");
}

QString ImportWorkbookFailureMessage(const WorkbookStatus& status, const QString& path)
{
    if (status.error == WorkbookError::FileNotFound || status.error == WorkbookError::PathNotFound)
        return QStringLiteral("インポート用Excelファイルが見つかりません。") + u'\r' + path;
    if (status.error == WorkbookError::TooLarge)
        return QStringLiteral("インポート用Excelファイルが大きすぎるため読み込みません。") + u'\r' + path + u'\r'
            + WorkbookSizeText(status);
    return QStringLiteral("インポート用Excelファイルを読み込めません。") + u'\r' + path + u'\r'
        + QStringLiteral("（Excelファイルではないか、壊れています）");
}

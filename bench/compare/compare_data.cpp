#include "compare_data.h"

#include "excel_output/output_paths.h"
#include "ledger/column_captions.h"
#include "storage/synthetic_items.h"
#include "workbook/workbook.h"

#include <QDir>
#include <QFile>

namespace {
constexpr std::uint32_t BenchSeed = 2023;
}

bool PrepareCompareFolder(AppState& state, const QString& folder)
{
    QString path = QDir(folder).absolutePath();
    if (!path.endsWith(u'/'))
        path += u'/';
    state.ClientFolder = path;
    state.DataFolder = path;
    state.ClientSettings[1] = path;
    if (!QDir().mkpath(path + QStringLiteral("原本Excel")) || !QDir().mkpath(OutputFolderPath(state)))
        return false;
    if (!QFile::exists(TemplateWorkbookPath(state)) && !Workbook::createBlank(TemplateWorkbookPath(state))->save())
        return false;
    // The month captions of the workbook: a business year from April 2023.
    state.SharedSettings[SharedLine::StartMonth] = QStringLiteral("2023/04");
    RebuildColumnCaptions(state);
    return true;
}

bool GenerateCompareLedger(AppState& state, int count)
{
    return AppendSyntheticItems(state, count, BenchSeed).stored();
}

#include "ledger/column_captions.h"

#include "storage/app_state.h"
#include "storage/field_text.h"

namespace {

QString yearMonth(int year, int month)
{
    return QString::number(year) + (month <= 9 ? QStringLiteral("/0") : QStringLiteral("/")) + QString::number(month);
}

} // namespace

void RebuildColumnCaptions(AppState& state)
{
    auto& c = state.ColumnCaptions;
    const SettingsLines& shared = state.SharedSettings;
    c.fill(QString());
    c[CaptionIndex::RecordNo] = QStringLiteral(" No");
    for (int k = 0; k < 5; ++k)
        c[CaptionIndex::ItemNumber + k] = shared[SharedLine::FirstCaption + k];
    c[CaptionIndex::UnitPrice] = QStringLiteral("単　価　 ");
    c[CaptionIndex::StockValue] = QStringLiteral("在庫金額 ");
    c[CaptionIndex::Unit] = shared[SharedLine::UnitCaption];
    c[10] = QStringLiteral("前年在庫");
    c[11] = QStringLiteral("適正在庫");
    c[12] = QStringLiteral("在庫数量");
    c[13] = QStringLiteral("入出庫計 ");
    c[CaptionIndex::InOut] = QStringLiteral("入出庫");
    c[15] = QStringLiteral("出庫");
    c[CaptionIndex::Planned] = QStringLiteral("予定数量");
    c[CaptionIndex::Rate] = QStringLiteral("達成率（％）");
    c[CaptionIndex::StartOfUse] = QStringLiteral("使用開始");

    state.DefaultColumnWidths = {8, 14, 20, 20, 20, 16, 10, 10, 8};
    std::fill(state.DefaultColumnWidths.begin() + 9, state.DefaultColumnWidths.end(), 10);
}

std::array<QString, 12> MonthHeadings(const QString& startMonth)
{
    int year = int(ReadNumber(startMonth.left(4)));
    int month = int(ReadNumber(startMonth.mid(5, 2)));
    std::array<QString, 12> headings;
    for (QString& heading : headings) {
        if (month >= 13) {
            month = 1;
            ++year;
        }
        heading = yearMonth(year, month) + u'月';
        ++month;
    }
    return headings;
}

QStringList StartOfUseChoices(int year)
{
    QStringList choices;
    choices.reserve(144);
    for (int y = year - 10; y <= year + 1; ++y)
        for (int m = 1; m <= 12; ++m)
            choices.append(yearMonth(y, m));
    return choices;
}

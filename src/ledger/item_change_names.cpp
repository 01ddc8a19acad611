#include "ledger/item_change_names.h"

#include "ledger/column_captions.h"
#include "storage/app_state.h"

namespace {

QString caption(const AppState& state, int line, const QString& fallback)
{
    const QString text = state.SharedSettings[size_t(line)].trimmed();
    return text.isEmpty() ? fallback : text;
}

} // namespace

ChangeFieldNames ItemChangeFieldNames(const AppState& state)
{
    ChangeFieldNames names = PlainFieldNames();
    const QString listed[] = {QStringLiteral("在庫品No"), QStringLiteral("品名"), QStringLiteral("仕様"),
                              QStringLiteral("メーカー名"), QStringLiteral("保管場所")};
    for (int k = 0; k < 5; ++k)
        names[size_t(ItemField::Number + k)] = caption(state, SharedLine::FirstCaption + k, listed[k]);
    names[ItemField::UnitPrice] = QStringLiteral("単価");
    names[ItemField::StockValue] = QStringLiteral("在庫金額");
    names[ItemField::Unit] = caption(state, SharedLine::UnitCaption, QStringLiteral("単位"));
    names[ItemField::PreviousStock] = QStringLiteral("前年在庫");
    names[ItemField::ProperStock] = QStringLiteral("適正在庫");
    names[ItemField::Stock] = QStringLiteral("在庫数量");
    names[ItemField::StartOfUse] = QStringLiteral("使用開始");

    const std::array<QString, 12> months = MonthHeadings(state.SharedSettings[SharedLine::StartMonth]);
    const QString rows[] = {QStringLiteral("入庫"), QStringLiteral("出庫")};
    for (int r = QtyRow::Received; r <= QtyRow::Issued; ++r) {
        const QString& row = rows[r - QtyRow::Received];
        auto name = [&](int column) -> QString& {
            return names[size_t(ItemRecord::TextCount + r * ItemRecord::QtyColumns + column)];
        };
        for (int month = QtyColumn::FirstMonth; month <= QtyColumn::LastMonth; ++month)
            name(month) = row + u' ' + months[size_t(month - 1)];
        name(QtyColumn::Total) = row + QStringLiteral(" 入出庫計");
        name(QtyColumn::Planned) = row + QStringLiteral(" 予定数量");
        name(QtyColumn::Rate) = row + QStringLiteral(" 達成率");
    }
    return names;
}

ChangeLog ItemChangeLog(const AppState& state, const QString& operation)
{
    ChangeLog log(state, operation);
    log.setFieldNames(ItemChangeFieldNames(state));
    return log;
}
